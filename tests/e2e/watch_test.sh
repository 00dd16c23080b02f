#!/usr/bin/env bash
# quandel --watch on the sample play in a real window: a pause holds the picture still, sixteen
# times the speed runs it to its end, and the game then quits by itself with status 0; sought to
# its end, it waits there for Esc.
set -u
game=$1 xdelete=$2 assets=$3 failures=$4 replay=$5
name=watch
source "$(dirname "$0")/lib.sh"

# Files that are not replays, and wrong options, are one line and status 2 before any window.
: > "$work/empty.qreplay"
for args in "--watch $work/none.qreplay" "$work/empty.qreplay" /etc/passwd "--music maybe"; do
  out=$("$game" $args 2>&1); rc=$?
  [ "$rc" -eq 2 ] || fail "$args: rc=$rc"
  [ "$(echo "$out" | wc -l)" -eq 1 ] || fail "$args: said $out"
done

# Started where there is no img/, the game plays as installed: its files go to the data folder
# under XDG_DATA_HOME, and a relative replay name means what was typed.
mkdir "$work/elsewhere"
cp "$replay" "$work/elsewhere/play.qreplay"
export XDG_DATA_HOME="$work/xdg"
start_in="$work/elsewhere" start_game --watch play.qreplay
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
[ ! -e "$XDG_DATA_HOME/quandel/replay.dat" ] || fail "watching a file saved replay.dat"
[ ! -e "$XDG_DATA_HOME/quandel/replays" ] || fail "watching a file kept the play in replays/"
[ -f "$XDG_DATA_HOME/quandel/window.txt" ] || fail "no window.txt in the data folder"
[ "$(ls -A "$work/elsewhere")" = play.qreplay ] || fail "files where the game started: $(ls -A "$work/elsewhere")"
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
