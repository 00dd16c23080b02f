#!/usr/bin/env bash
# The game as a player meets it: the title appears within 2 seconds, F1 shows the how-to-play
# page and a key or a click closes it, the start entry lights up under the mouse, a click starts a
# play, and closing the window saves and exits cleanly.
set -uo pipefail
game=$1 xdelete=$2 assets=$3 failures=$4
name=window
source "$(dirname "$0")/lib.sh"

start=$(now_ms)
start_game
# The title is up once the settings rows are drawn (the underline of the chosen frame skip).
wait_for_pixel title 2 490 272 "220,220,220" || fail "the title screen did not appear within 2 s"
echo "title screen after $(( $(now_ms) - start )) ms"

# F1 or H lays the how-to-play page over the title (its plate covers the grey left edge); a key
# or a click takes it away. (That the click starts nothing is checked headlessly.)
xdotool key F1
wait_for_pixel help 1 25 300 "62,68,92" || fail "F1 did not show the how-to-play page"
xdotool key space
wait_for_pixel help-closed 1 25 300 "100,100,100" || fail "a key did not close the page"
xdotool key h
wait_for_pixel help-again 1 25 300 "62,68,92" || fail "H did not show the page"
click_at 200 310
wait_for_pixel help-clicked 1 25 300 "100,100,100" || fail "a click did not close the page"

xdotool mousemove --window "$wid" 20 20
sleep 0.3
shot normal
xdotool mousemove --window "$wid" 200 310
sleep 0.3
shot hover
[ "$(differ normal hover 250x30+105+300)" -gt 100 ] || fail "hovering the start entry did not change it"

xdotool click 1
sleep 1.5
shot play
# The play shows its gauges at the left edge, where the title has plain background.
[ "$(pixel play 25 300)" != "$(pixel title 25 300)" ] || fail "no play after the click"

close_window
[ "$(stat -c %s "$data/scr.hsc" 2>/dev/null)" = 56 ] || fail "scr.hsc missing or not 56 bytes"
[ -s "$data/config.txt" ] || fail "config.txt missing"
echo "window test passed"
