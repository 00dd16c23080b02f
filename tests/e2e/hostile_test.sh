#!/usr/bin/env bash
# The game in hostile surroundings: no display, a pipe in place of a picture, signals while a
# message box is up and while the title runs, and a file-size limit. It must never hang, never
# run invisibly, save what a close saves, and leave no process, box or temporary file behind.
set -uo pipefail
game=$1 xdelete=$2 assets=$3 failures=$4
name=hostile
source "$(dirname "$0")/lib.sh"

# Starts the game in $data with SIGINT at its default (a background job of a script ignores it),
# the signal $ignore ignored and the file-size limit $fsize, when set. Its output goes through a
# pipe, so the limit does not apply to it.
launch() {
  ( cd "$data" && { [ -z "${ignore:-}" ] || trap '' "$ignore"; } && { [ -z "${fsize:-}" ] || ulimit -f "$fsize"; } &&
    exec setsid env --default-signal=INT "$game" ) > >(cat > "$work/out.txt") 2>&1 &
  pid=$!
}
# Waits up to 2 s for the game to exit; $rc is its status.
expect_exit() {
  for _ in $(seq 1 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$pid" 2>/dev/null && fail "$1: still running 2 s after the signal"
  wait "$pid"; rc=$?
  sleep 0.1  # the output pipe drains
}
# No live process may remain in the game's session (the box runs in a process of its own).
nothing_left() {
  [ -z "$(ps -o stat= -s "$pid" | grep -v Z)" ] || fail "$1: processes left: $(ps -o pid,stat,args -s "$pid")"
  xwininfo -root -tree | grep -q '"Quandel"' && fail "$1: a window stayed on screen"
  pid=""
}
# Waits for the title screen of the game just launched.
title_up() {
  for _ in $(seq 1 40); do wid=$(xdotool search --name '^Quandel$' 2>/dev/null | head -n 1); [ -n "$wid" ] && break; sleep 0.05; done
  [ -n "$wid" ] && wait_for_pixel "$1" 3 490 272 "220,220,220" || fail "$1: no title screen"
}
box_up() {
  for _ in $(seq 1 60); do xwininfo -root -tree | grep -q '"Quandel": ()' && return 0; sleep 0.05; done
  return 1
}

echo "--- no display: one line, a failure status, no files"
mkdir -m 700 "$work/run"
for display in "" ":87"; do
  ( cd "$data" && DISPLAY=$display XDG_RUNTIME_DIR="$work/run" timeout 10 "$game" ) > "$work/out.txt" 2>&1
  rc=$?
  [ "$rc" -ne 0 ] && [ "$rc" -ne 124 ] || fail "display '$display': exit $rc"
  [ "$(wc -l < "$work/out.txt")" -eq 1 ] && grep -q "no display could be opened" "$work/out.txt" || fail "display '$display': wrong message"
  [ "$(ls "$data")" = "$(printf 'img\nsnd')" ] || fail "display '$display': wrote $(ls "$data")"
done

echo "--- a pipe in place of a picture: the box appears; any signal ends the game and the box"
real_data=$data
data="$work/piped"
mkdir -p "$data/img" && cp "$assets"/img/* "$data/img/" && ln -s "$assets/snd" "$data/snd"
rm "$data/img/cube.bmp" && mkfifo "$data/img/cube.bmp"
for sig in TERM INT KILL; do
  launch
  box_up || fail "$sig: no message box within 3 s"
  kill -"$sig" "$pid"
  expect_exit "$sig"
  [ "$sig" = KILL ] || { [ "$rc" -eq 1 ] && grep -q "cannot load img/cube.bmp" "$work/out.txt"; } || fail "$sig: exit $rc"
  sleep 0.2
  nothing_left "$sig"
done
data=$real_data

echo "--- stop signals on the title save as a close does; leftovers of cut-short saves go"
for sig in HUP TERM INT QUIT; do
  echo x > "$data/scr.hsc.saving-Ab12Cd"
  launch
  title_up "title-$sig"
  [ -e "$data/scr.hsc.saving-Ab12Cd" ] && fail "the leftover of a save stayed"
  rm -f "$data/scr.hsc"
  kill -"$sig" "$pid"
  expect_exit "$sig"
  [ "$rc" -eq 0 ] || fail "$sig: exit $rc"
  [ "$(stat -c %s "$data/scr.hsc" 2>/dev/null)" = 56 ] || fail "$sig: nothing saved"
  nothing_left "$sig"
done
# Started ignoring SIGHUP (nohup), the game keeps running when the terminal goes.
ignore=HUP launch
title_up nohup
kill -HUP "$pid"
sleep 0.3
kill -0 "$pid" 2>/dev/null || fail "an ignored SIGHUP ended the game"
kill -TERM "$pid"
expect_exit "TERM after an ignored HUP"
nothing_left "TERM after an ignored HUP"

echo "--- a file-size limit: saves fail and say so, the game goes on and closes cleanly"
rm -f "$data/scr.hsc" "$data/config.txt"
fsize=0 launch
title_up limited
"$xdelete" "$wid"
expect_exit "the close under a file-size limit"
[ "$rc" -eq 0 ] || fail "under a file-size limit: exit $rc"
grep -q "cannot save .*scr.hsc: File too large" "$work/out.txt" || fail "the failed save was not reported"
[ "$(ls "$data")" = "$(printf 'img\nsnd')" ] || fail "files left under the limit: $(ls "$data")"
nothing_left "file-size limit"
echo "hostile surroundings test passed"
