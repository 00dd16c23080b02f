#!/usr/bin/env bash
# quandel --watch on the sample play in a real window: a pause holds the picture still, sixteen
# times the speed runs it to its end, and the game then quits by itself with status 0; sought to
# its end, it waits there for Esc.
set -u
game=$1 xdelete=$2 assets=$3 failures=$4 replay=$5
name=watch
source "$(dirname "$0")/lib.sh"

out=$("$game" --watch "$work/none.qreplay" 2>&1); rc=$?
[ "$rc" -eq 2 ] && [ "$(echo "$out" | wc -l)" -eq 1 ] || fail "a missing file: rc=$rc, said: $out"

start_game --watch "$replay"
sleep 2
xdotool key --window "$wid" space
sleep 0.3
shot paused1
sleep 1
shot paused2
# All but the frame-rate counter in the corner.
[ "$(differ paused1 paused2 600x460+0+0)" -eq 0 ] || fail "the picture moved while paused"
xdotool key --window "$wid" space Up Up Up Up Up
start=$(now_ms)
while kill -0 "$pid" 2>/dev/null && [ $(( $(now_ms) - start )) -lt 30000 ]; do sleep 0.2; done
kill -0 "$pid" 2>/dev/null && fail "the replay did not end within 30 s at sixteen times"
wait "$pid"; rc=$?
[ "$rc" -eq 0 ] || fail "exit status $rc"
[ ! -e "$data/replay.dat" ] && [ ! -e "$data/replays" ] || fail "watching a file saved a replay"
echo "watched to the end in $(( $(now_ms) - start )) ms at sixteen times"

# Sought to its end, the replay holds there through a step; Esc then leaves with status 0.
start_game --watch "$replay"
sleep 1
xdotool key --window "$wid" Next Next Next Next Right
sleep 1
kill -0 "$pid" 2>/dev/null || fail "a step on the last frame ended the replay"
xdotool key --window "$wid" Escape
within 2 eval '! kill -0 "$pid" 2>/dev/null' || fail "Esc did not leave the replay"
wait "$pid"; rc=$?
pid=""
[ "$rc" -eq 0 ] || fail "exit status $rc after Esc"
