# Shared helpers of the window tests: start the game in a data folder under Xvfb, look at the
# screen, drive the mouse, close the window like a window manager does.
work=$(mktemp -d)
pid=""
wid=""
shots=()
cleanup() {
  [ -n "$pid" ] && kill -KILL -- "-$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

data="$work/data"
mkdir -p "$data"
ln -s "$assets/img" "$data/img"
ln -s "$assets/snd" "$data/snd"
export SDL_AUDIODRIVER=dummy

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# An import of a window that just went can hang, hence the timeout.
shot() { timeout 5 import -window "$wid" "$work/$1.png" 2>/dev/null && shots+=("$1"); }
fail() {
  echo "FAIL: $*"
  mkdir -p "$failures"
  for s in "${shots[@]}"; do cp "$work/$s.png" "$failures/$name-$s.png" 2>/dev/null; done
  [ -f "$work/out.txt" ] && cat "$work/out.txt"
  echo "screenshots kept in $failures"
  exit 1
}
# A pixel of a screenshot as "r,g,b".
pixel() { convert "$work/$1.png" -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:; }
# How many pixels of a region (WxH+X+Y) differ between two screenshots.
differ() { compare -metric AE -extract "$3" "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1; }

# SDL may replace its first window while it sets up drawing: the newest one is the game's.
latest_window() { wid=$(xdotool search --name '^Quandel$' 2>/dev/null | tail -n 1); [ -n "$wid" ]; }

# In the data folder, or in $start_in when set.
start_game() {
  ( cd "${start_in:-$data}" && exec setsid "$game" "$@" ) > "$work/out.txt" 2>&1 &
  pid=$!
  wid=""
  within 2 latest_window || fail "no window within 2 s"
}

# Runs "$@" every 0.1 s until it succeeds, for at most $1 seconds.
within() {
  local end=$(( $(now_ms) + $1 * 1000 ))
  shift
  until "$@"; do
    [ "$(now_ms)" -lt "$end" ] || return 1
    sleep 0.1
  done
}
# Takes screenshot $1 and compares its pixel ($2, $3) with $4 (is) or tells it apart (is_not).
is() { shot "$1" && [ "$(pixel "$1" "$2" "$3")" = "$4" ]; }
is_not() { shot "$1" && [ "$(pixel "$1" "$2" "$3")" != "$4" ]; }

# The title is up when the chosen frame-skip entry is underlined (grey 220) at x = $2.
wait_for_title() { within "${3:-3}" eval "latest_window && is $1 $2 275 220,220,220" || fail "$1: no title screen"; }

click_at() { xdotool mousemove --window "$wid" "$1" "$2" click "${3:-1}"; }

close_window() {
  local before=$(now_ms)
  "$xdelete" "$wid"
  for _ in $(seq 1 20); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$pid" 2>/dev/null && fail "the game did not exit within a second of the close"
  wait "$pid"
  local rc=$?
  pid=""
  echo "closed: exit $rc after $(( $(now_ms) - before )) ms"
  [ $rc -eq 0 ] || fail "exit status $rc"
}
