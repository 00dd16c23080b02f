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

shot() { import -window "$wid" "$work/$1.png" && shots+=("$1"); }
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

start_game() {
  ( cd "$data" && exec setsid "$game" "$@" ) > "$work/out.txt" 2>&1 &
  pid=$!
  wid=""
  for _ in $(seq 1 40); do
    wid=$(xdotool search --name '^Quandel$' 2>/dev/null | head -n 1)
    [ -n "$wid" ] && break
    sleep 0.05
  done
  [ -n "$wid" ] || fail "no window within 2 s"
}

# Waits (up to $2 seconds) until a screenshot shows pixel ($3, $4) in colour $5.
wait_for_pixel() {
  local label=$1 limit=$2 x=$3 y=$4 want=$5 end=$(( $(now_ms) + $2 * 1000 ))
  while [ "$(now_ms)" -lt "$end" ]; do
    shot "$label"
    [ "$(pixel "$label" "$x" "$y")" = "$want" ] && return 0
    sleep 0.1
  done
  return 1
}

# The title is up when the chosen frame-skip entry is underlined (grey 220) at x = $1.
wait_for_title() { wait_for_pixel "$1" "${3:-3}" "$2" 275 "220,220,220" || fail "$1: no title screen"; }

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

# The best score of scr.hsc (its first half of digits: each character's code - 40, mod 10).
best_scores() {
  local f=$1 out=""
  for off in 8 24 40; do
    local v=0
    for c in $(od -An -tu1 -j "$off" -N6 "$f"); do v=$(( v * 10 + (c - 40) % 10 )); done
    out="$out $v"
  done
  echo $out
}

# The event bits of every recorded slot of a replay file, one per line (first half of each flags
# field: two characters, each code - 40 mod 10).
replay_flags() {
  local f=$1 last=0
  for c in $(od -An -tu1 -N4 "$f"); do last=$(( last * 10 + (c - 40) % 10 )); done
  for i in $(seq 1 "$last"); do
    local v=0
    for c in $(od -An -tu1 -j $(( 40 + 36 * i )) -N2 "$f"); do v=$(( v * 10 + (c - 40) % 10 )); done
    echo "$v"
  done
}
