#!/usr/bin/env bash
# The window on the desktop: its size survives a restart, and F11 shows the whole picture letterboxed (2x with 32-pixel bars on this 1280 x 1024
# screen) and returns to the same window, on a bare X server and under a window manager.
set -uo pipefail
game=$1 xdelete=$2 assets=$3 failures=$4 openbox=${5:-}
name=desktop
source "$(dirname "$0")/lib.sh"
wm=""
trap '[ -n "$wm" ] && kill "$wm" 2>/dev/null; cleanup' EXIT

geometry() { xwininfo -id "$wid" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x "," y " " w "x" h}'; }
wait_for_size() {
  for _ in $(seq 1 40); do [[ "$(geometry)" == *" $1" ]] && return 0; sleep 0.05; done
  fail "window is $(geometry), not $1"
}

echo "--- a resized window opens at its size again"
start_game
wait_for_title title 490
xdotool windowsize "$wid" 1000 750
wait_for_size 1000x750
close_window
start_game
wait_for_size 1000x750
close_window

f11_round_trip() {
  start_game
  wait_for_title "$1-title" 490
  sleep 1  # the title opens from the middle outwards
  shot "$1-window"
  local before
  before=$(geometry)
  xdotool windowfocus "$wid" sleep 0.2 key F11
  wait_for_size 1280x1024
  sleep 0.3
  shot "$1-full"
  for p in "5 5" "1274 1018"; do [ "$(pixel "$1-full" $p)" = "0,0,0" ] || fail "$1: no black bar at $p"; done
  # The static right half of the picture, sampled back to 1x, is the window's pixel for pixel.
  convert "$work/$1-full.png" -crop 1280x960+0+32 +repage -sample 50% "$work/$1-half.png"
  [ "$(differ "$1-window" "$1-half" 280x440+355+5)" = 0 ] || fail "$1: the fullscreen picture is not the whole picture"
  xdotool key F11
  wait_for_size "${before#* }"
  [ "$(geometry)" = "$before" ] || fail "$1: back at $(geometry), not $before"
  close_window
}

echo "--- F11 without a window manager, then under openbox"
rm -f "$data/window.txt"
f11_round_trip bare
[ -n "$openbox" ] || { echo "openbox not installed: no test under a window manager"; exit 1; }
"$openbox" --sm-disable > /dev/null 2>&1 &
wm=$!
sleep 0.5
f11_round_trip openbox
echo "desktop test passed"
