#!/usr/bin/env bash
# A new player's first session through the real window: the title and its hover, a setting that
# survives a restart, a play with a bomb and a magnet left by the quit button, the simplified
# drawing of config.txt, and a close during a play that leaves the files whole.
set -uo pipefail
game=$1 xdelete=$2 assets=$3 failures=$4
name=player
source "$(dirname "$0")/lib.sh"

bomb="250,170,140" magnet="140,250,170" grey220="220,220,220"

# Clicks at ($1, $2) with button $3 until pixel ($4, $5) is no longer $6: the play takes input
# only once its opening is over.
click_until_changed() { within 5 eval "click_at $1 $2 $3; sleep 0.1; is_not $7 $4 $5 $6"; }

echo "--- first start: the hover, frame skip 0, close"
start_game
wait_for_title title1 475
xdotool mousemove --window "$wid" 20 20
sleep 0.3
shot normal
xdotool mousemove --window "$wid" 200 310
within 3 eval '[ "$(shot hover; differ normal hover 250x30+105+300)" -gt 100 ]' || fail "hovering the start entry did not change it"
click_at 605 265
within 2 is skip0 585 275 "$grey220" || fail "frame skip 0 was not underlined after the click"
[ "$(pixel skip0 475 275)" != "$grey220" ] || fail "the old frame-skip underline stayed"
close_window
[ "$(stat -c %s "$data/scr.hsc")" = 56 ] || fail "scr.hsc not written"

echo "--- restart: the choice survived; a play with a bomb and a magnet, left by the quit button"
start_game
wait_for_title title2 585
click_at 200 310
sleep 0.25
shot opening
# The opening parts the title picture from the column's centre: its right side still shows.
[ "$(pixel opening 585 275)" = "$grey220" ] || fail "no opening wipe: the title vanished at once"
within 5 is_not play 585 275 "$grey220" || fail "the opening never finished"
[ "$(pixel play 27 120)" = "$bomb" ] || fail "bomb gauge not full at the start"
click_until_changed 230 300 1 27 120 "$bomb" bomb || fail "a bomb did not take from the gauge"
[ "$(differ play bomb 140x140+160+230)" -gt 200 ] || fail "no blast on screen"
click_until_changed 230 300 3 42 120 "$magnet" magnet || fail "a magnet did not take from the gauge"
click_at 520 470
wait_for_title back 585 || fail "the quit button did not return to the title"
[ ! -e "$data/replay.dat" ] || fail "a quit play saved a replay"
close_window

echo "--- config.txt: simplified drawing; a close during the play"
printf 'ReplaySave = 1\r\nDrawMode = 3\r\n' > "$data/config.txt"
start_game
wait_for_title title3 585
click_at 200 310
# Simplified boxes are plain squares in their kind's colour plus its tint.
simple_box() { shot simple && convert "$work/simple.png" -crop 220x480+120+0 +repage -unique-colors txt:- | grep -q '(100,130,220)\|(220,130,100)'; }
within 8 simple_box || fail "no simplified box on screen in draw mode 3"
grep -q $'^DrawMode = 3\r$' "$data/config.txt" || fail "config.txt not kept at DrawMode 3"
close_window
[ "$(stat -c %s "$data/scr.hsc")" = 56 ] || fail "scr.hsc lost at a close during a play"
echo "player test passed"
