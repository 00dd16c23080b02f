#!/usr/bin/env bash
# The game in hostile surroundings: no display, a pipe as a picture, signals, a file-size limit.
# It must not hang or run unseen, must save what a close saves, and leave nothing behind.
set -uo pipefail
game=$1 xdelete=$2 assets=$3 failures=$4
name=hostile
source "$(dirname "$0")/lib.sh"

# Starts the game with SIGINT at its default (a script's background job ignores it), $ignore
# ignored and the file-size limit $fsize; the output goes through a pipe, out of the limit's reach.
launch() {
  ( cd "$data" && { [ -z "${ignore:-}" ] || trap '' "$ignore"; } && { [ -z "${fsize:-}" ] || ulimit -f "$fsize"; } &&
    exec setsid env --default-signal=INT "$game" ) > >(cat > "$work/out.txt") 2>&1 &
  pid=$!
}
# The game must exit within 2 s ($rc: its status) and leave no live process, box or window.
expect_exit() {
  for _ in $(seq 1 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$pid" 2>/dev/null && fail "$1: still running 2 s after the signal"
  wait "$pid"; rc=$?
  sleep 0.2
  [ -z "$(ps -o stat= -s "$pid" | grep -v Z)" ] || fail "$1: processes left: $(ps -o pid,stat,args -s "$pid")"
  xwininfo -root -tree | grep -q '"Quandel"' && fail "$1: a window stayed on screen"
  pid=""
}
echo "--- no display: one line, a failure status, no files"
mkdir -m 700 "$work/run"
for display in "" ":87"; do
  ( cd "$data" && DISPLAY=$display XDG_RUNTIME_DIR="$work/run" timeout 10 "$game" ) > "$work/out.txt" 2>&1
  rc=$?
  [ "$rc" -ne 0 ] && [ "$rc" -ne 124 ] && [ "$(wc -l < "$work/out.txt")" -eq 1 ] && grep -q "no display could be opened" "$work/out.txt" ||
    fail "display '$display': exit $rc, said $(cat "$work/out.txt")"
  [ "$(ls "$data")" = "$(printf 'img\nsnd')" ] || fail "display '$display': wrote $(ls "$data")"
done

echo "--- a pipe in place of a picture: the box appears; any signal ends the game and the box"
real_data=$data data="$work/piped"
mkdir -p "$data/img" && cp "$assets"/img/* "$data/img/" && ln -s "$assets/snd" "$data/snd"
rm "$data/img/cube.bmp" && mkfifo "$data/img/cube.bmp"
for sig in TERM INT KILL; do
  launch
  for _ in $(seq 1 60); do xwininfo -root -tree | grep -q '"Quandel": ()' && break; sleep 0.05; done
  xwininfo -root -tree | grep -q '"Quandel": ()' || fail "$sig: no message box within 3 s"
  kill -"$sig" "$pid"
  expect_exit "$sig"
  [ "$sig" = KILL ] || { [ "$rc" -eq 1 ] && grep -q "cannot load img/cube.bmp" "$work/out.txt"; } || fail "$sig: exit $rc"
done
data=$real_data

echo "--- stop signals on the title save as a close does; leftovers of cut-short saves go"
# "nohup": started with SIGHUP ignored, the game outlives its terminal and still ends on SIGTERM.
for sig in HUP TERM INT QUIT nohup; do
  echo x > "$data/scr.hsc.saving-Ab12Cd"
  ignore=$([ $sig = nohup ] && echo HUP) launch
  wait_for_title "title-$sig" 490 4
  [ -e "$data/scr.hsc.saving-Ab12Cd" ] && fail "the leftover of a save stayed"
  rm -f "$data/scr.hsc"
  [ $sig = nohup ] && { kill -HUP "$pid"; sleep 0.3; kill -0 "$pid" || fail "an ignored SIGHUP ended the game"; }
  kill -"${sig/nohup/TERM}" "$pid"
  expect_exit "$sig"
  [ "$rc" -eq 0 ] && [ "$(stat -c %s "$data/scr.hsc" 2>/dev/null)" = 56 ] || fail "$sig: exit $rc, or nothing saved"
done

echo "--- a file-size limit: saves fail and say so, the game goes on and closes cleanly"
rm -f "$data/scr.hsc" "$data/config.txt" "$data/window.txt"
fsize=0 launch
wait_for_title limited 490 4
"$xdelete" "$wid"
expect_exit "the close under a file-size limit"
[ "$rc" -eq 0 ] && grep -q "cannot save .*scr.hsc: File too large" "$work/out.txt" || fail "limit: exit $rc, said $(cat "$work/out.txt")"
[ "$(ls "$data")" = "$(printf 'img\nsnd')" ] || fail "files left under the limit: $(ls "$data")"
echo "hostile surroundings test passed"
