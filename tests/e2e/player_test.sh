#!/usr/bin/env bash
# A new player's first session, driven through the real window: settings that survive a restart,
# a play with bombs, magnets and the wheel, the quit button, a play that runs out of time and is
# saved, its replay watched to the same end, and the simplified drawing of config.txt.
set -uo pipefail
game=$1 xdelete=$2 replay_tool=$3 assets=$4 failures=$5
name=player
source "$(dirname "$0")/lib.sh"

bomb="250,170,140" magnet="140,250,170" grey220="220,220,220"

# Screenshots $1$i every half second (at most 40 s) until the title is back; $shot_count = last i.
watch_until_title() {
  local end=$(( $(now_ms) + 40000 ))
  shot_count=0
  while [ "$(now_ms)" -lt "$end" ]; do
    shot_count=$((shot_count + 1)); shot "$1$shot_count"
    [ "$(pixel "$1$shot_count" 585 275)" = "$grey220" ] && return 0
    sleep 0.5
  done
  return 1
}

echo "--- first start: choose frame skip 0, close"
start_game
wait_for_title title1 475
click_at 605 265
wait_for_pixel skip0 2 585 275 "$grey220" || fail "frame skip 0 was not underlined after the click"
[ "$(pixel skip0 475 275)" != "$grey220" ] || fail "the old frame-skip underline stayed"
close_window
[ "$(stat -c %s "$data/scr.hsc")" = 56 ] || fail "scr.hsc not written"

echo "--- restart: the choice survived; a play with bombs, magnet, wheel and the quit button"
start_game
wait_for_title title2 585
click_at 200 310
sleep 0.25
shot opening
# The opening parts the title picture from the column's centre: its right side still shows.
[ "$(pixel opening 585 275)" = "$grey220" ] || fail "no opening wipe: the title vanished at once"
sleep 1.5
shot play
[ "$(pixel play 585 275)" != "$grey220" ] || fail "the opening never finished"
[ "$(pixel play 27 120)" = "$bomb" ] || fail "bomb gauge not full at the start"
sleep 0.6
click_at 230 300 1
sleep 0.2
shot bomb
[ "$(pixel bomb 27 120)" != "$bomb" ] || fail "a bomb placed after the opening did not take from the gauge"
[ "$(differ play bomb 140x140+160+230)" -gt 200 ] || fail "no blast on screen"
click_at 230 300 3
sleep 0.2
shot magnet
[ "$(pixel magnet 42 120)" != "$magnet" ] || fail "a magnet placed after the opening did not take from the gauge"
xdotool click 5
sleep 0.3
click_at 520 470
wait_for_title back 585 3 || fail "the quit button did not return to the title"
[ ! -e "$data/replay.dat" ] || fail "a quit play saved a replay"

echo "--- a play that runs out of time"
click_at 200 310
sleep 2.2
click_at 230 40 1          # the first row of boxes, just entered
sleep 0.3
click_at 230 200 3
sleep 0.2
xdotool click 5            # wheel notches towards the player
sleep 0.3
xdotool click 5
sleep 0.2
xdotool keydown shift click 1 keyup shift   # modified clicks are not play input
sleep 0.2
xdotool mousemove --window "$wid" 230 60   # high: the column speeds up (recorded)
sleep 0.3
xdotool mousemove --window "$wid" 230 150
watch_until_title out || fail "the played-out play never returned to the title"
n=$shot_count
[ -s "$data/replay.dat" ] || fail "no replay saved after the play"
# The time-up banner (masked) was on screen in the closing seconds of the play.
convert "$assets/img/lg.bmp" -crop 175x35+0+238 +repage "$work/banner.png"
convert "$assets/img/lg.bmp" -crop 175x35+175+238 +repage "$work/bmask.png"
convert "$work/banner.png" "$work/bmask.png" -compose multiply -composite "$work/want.png"
seen=""
for i in $(seq 1 "$n"); do
  convert "$work/out$i.png" -crop 175x35+143+170 +repage "$work/bmask.png" -compose multiply -composite "$work/got.png"
  d=$(compare -metric AE "$work/want.png" "$work/got.png" null: 2>&1 | cut -d' ' -f1)
  [ "$d" -lt 600 ] && { seen=$i; break; }
done
[ -n "$seen" ] || fail "the time-up banner was never seen"
result=$("$replay_tool" "$data/replay.dat")
score=$(echo "$result" | sed -n 's/^score=\([0-9]*\) .*/\1/p')
echo "played out: $result"
[ "$score" -gt 0 ] || fail "the bomb on the first row scored nothing"
best=$(best_scores "$data/scr.hsc")
echo " $best " | grep -q " $score " || fail "score $score not ranked in the best scores ($best)"
trace=$("$replay_tool" --trace "$data/replay.dat")
flags=$(replay_flags "$data/replay.dat" | tr '\n' ' ')
echo "recorded events: $flags"
wheel=""
for f in $flags; do (( f & 4 )) && wheel=1; done
[ -n "$wheel" ] || fail "no wheel notch in the replay"
clicks=$(echo "$trace" | grep -o 'play Bomb notify from 0\|play Short notify from 0' | wc -l)
[ "$clicks" -eq 1 ] || fail "expected the one unmodified left click in the replay, found $clicks"

echo "--- the replay is offered and ends like the play"
shot title3
[ "$(differ title2 title3 190x25+135+380)" -gt 100 ] || fail "the replay entry is not offered"
live_end="out$((seen + 4 > n ? n : seen + 4))"
click_at 200 390
sleep 1
shot replaying
watch_until_title rep || fail "the replay never returned to the title"
m=$shot_count
# The score display of the replay's closing seconds matches the live play's.
matched=""
for i in $(seq 1 "$m"); do
  [ "$(differ "$live_end" "rep$i" 210x50+410+100)" -eq 0 ] && { matched=1; break; }
done
[ -n "$matched" ] || fail "the replay did not end with the live play's score"
[ "$(best_scores "$data/scr.hsc")" = "$best" ] || fail "watching a replay changed the best scores"
close_window

echo "--- config.txt: simplified drawing, no replays"
rm -f "$data/replay.dat"
printf 'ReplaySave = 1\r\nDrawMode = 3\r\n' > "$data/config.txt"
start_game
wait_for_title title4 585
click_at 200 310
sleep 3
shot simple
# Simplified boxes are plain squares in their kind's colour plus its tint.
convert "$work/simple.png" -crop 220x480+120+0 +repage -unique-colors txt:- | grep '(100,130,220)\|(220,130,100)' > /dev/null \
  || fail "no simplified box on screen in draw mode 3"
watch_until_title simple || fail "the play never returned to the title"
k=$shot_count
[ ! -e "$data/replay.dat" ] || fail "a replay was saved although config.txt switches replays off"
grep -q $'^DrawMode = 3\r$' "$data/config.txt" || fail "config.txt not kept at DrawMode 3"
click_at 200 310
sleep 1
close_window   # during a play
[ "$(stat -c %s "$data/scr.hsc")" = 56 ] || fail "scr.hsc lost at a close during a play"
echo "player test passed"
