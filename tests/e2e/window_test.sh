#!/usr/bin/env bash
# The game as a player meets it: the title appears, the start entry lights up under the mouse, a
# click starts a play, and closing the window saves and exits cleanly.
set -uo pipefail
game=$1 xdelete=$2 assets=$3 failures=$4
work=$(mktemp -d)
ln -s "$assets/img" "$work/img"
ln -s "$assets/snd" "$work/snd"
export SDL_AUDIODRIVER=dummy
pid=""
cleanup() {
  [ -n "$pid" ] && kill -KILL -- "-$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

shots=()
shot() { import -window "$wid" "$work/$1.png" && shots+=("$1"); }
fail() {
  echo "FAIL: $*"
  mkdir -p "$failures"
  for s in "${shots[@]}"; do cp "$work/$s.png" "$failures/window-$s.png"; done
  echo "screenshots kept in $failures"
  exit 1
}
# Pixel of a screenshot as "r,g,b".
pixel() { convert "$work/$1.png" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
# Number of differing pixels of a region in two screenshots.
differ() { compare -metric AE -extract "$3" "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1; }

cd "$work"
start=$(date +%s%N)
setsid "$game" > "$work/out.txt" 2>&1 &
pid=$!

wid=""
for _ in $(seq 1 40); do
  wid=$(xdotool search --name '^Quandel$' 2>/dev/null | head -n 1)
  [ -n "$wid" ] && break
  sleep 0.05
done
[ -n "$wid" ] || fail "no window within 2 s"
# The title is up once the settings rows are drawn (the underline of the chosen frame skip).
titled=""
for _ in $(seq 1 40); do
  shot title
  [ "$(pixel title 490 272)" = "220,220,220" ] && { titled=1; break; }
  sleep 0.05
done
ms=$(( ($(date +%s%N) - start) / 1000000 ))
[ -n "$titled" ] || fail "the title screen did not appear within 2 s"
echo "title screen after $ms ms"

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

before=$(date +%s%N)
"$xdelete" "$wid"
for _ in $(seq 1 20); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$pid" 2>/dev/null && fail "the game did not exit within a second of the close"
wait "$pid"; rc=$?
pid=""
echo "exit $rc after $(( ($(date +%s%N) - before) / 1000000 )) ms"
[ $rc -eq 0 ] || { cat "$work/out.txt"; fail "exit status $rc"; }
[ "$(stat -c %s "$work/scr.hsc" 2>/dev/null)" = 56 ] || fail "scr.hsc missing or not 56 bytes"
[ -s "$work/config.txt" ] || fail "config.txt missing"
echo "window test passed"
