#!/usr/bin/env bash
# The real game under Xvfb for a long while, driven by random player input: moves and clicks in
# and out of the field, wheel notches, title entries, the help page, F11, window resizes, pauses,
# the quit button, closing the window, and kept replays watched with every key. Two runs of half
# the time each: a sanitized build (AddressSanitizer, LeakSanitizer, UndefinedBehaviorSanitizer;
# any report fails) that also closes and restarts the game, and a release build kept in one
# process, whose memory is sampled every 30 s. Afterwards every file the game kept must be valid:
# scr.hsc whole, replay.dat playable, each kept replay replaying to the score in its name.
#   soak.sh RELEASE-BUILD ASAN-BUILD MINUTES [SEED]
# The sanitized game is built in ASAN-BUILD, configured as scripts/asan/check.sh does.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
release=$(cd "$1" && pwd) asan=$(mkdir -p "$2" && cd "$2" && pwd) minutes=$3 seed=${4:-$$}
RANDOM=$seed
if [ ! -f "$asan/build.ninja" ]; then
  sanitize="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
  link="-fsanitize=address,undefined -static-libasan -static-libubsan"
  cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS="$sanitize" \
    -DCMAKE_CXX_FLAGS="$sanitize" -DCMAKE_EXE_LINKER_FLAGS="$link" -DCMAKE_SHARED_LINKER_FLAGS="$link" >/dev/null || exit 1
fi
cmake --build "$asan" -j 2 --target quandel >/dev/null || { echo "soak: the sanitized build failed"; exit 1; }
work=$(mktemp -d)
xvfb="" pid=""
cleanup() {
  [ -n "$pid" ] && kill -KILL -- "-$pid" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "soak: FAIL: $*"; [ -f "$work/out.txt" ] && tail -n 40 "$work/out.txt"; exit 1; }
export SDL_AUDIODRIVER=dummy

# A display of our own; Xvfb picks a free number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 1 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

actions=0 closes=0 watched=0
game_env=()
start_game() {  # start_game BINARY DATA [ARGS...]
  local game=$1 data=$2
  shift 2
  ( cd "$data" && exec setsid env "${game_env[@]}" "$game" "$@" ) >>"$work/out.txt" 2>&1 &
  pid=$!
  wid=""
  for _ in $(seq 1 100); do
    wid=$(xdotool search --name '^Quandel$' 2>/dev/null | tail -n 1)
    [ -n "$wid" ] && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  fail "no window for $game $*"
}
# Waits up to $1 seconds for the game to end; its exit status must be 0.
expect_exit() {
  for _ in $(seq 1 $(( $1 * 10 ))); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "$2: still running after ${1} s"
  wait "$pid"
  local rc=$?
  pid=""
  [ "$rc" -eq 0 ] || fail "$2: exit status $rc"
}
close_game() { "$release/xdelete" "$wid"; expect_exit 10 "closing the window"; }

# A point of the 640x480 picture, scaled to the window's present size.
at() {
  local WIDTH=640 HEIGHT=480
  eval "$(xdotool getwindowgeometry --shell "$wid" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=')"
  echo $(( $1 * WIDTH / 640 )) $(( $2 * HEIGHT / 480 ))
}
# Mostly inside the window, else past its right edge.
random_point() { at $(( RANDOM % 10 < 7 ? RANDOM % 640 : 650 + RANDOM % 150 )) $(( RANDOM % 480 )); }
# Title entries: start, replay, frame skip, music, effects.
targets=("200 310" "230 390" "380 265" "435 265" "490 265" "545 265" "600 265" "490 325" "600 325" "490 385" "545 385"
         "600 385")
keys=(space Escape p h F1 Left Right Up Down Page_Up Page_Down Home plus minus equal a Return)

# One random player action; $1 = 1 when the game may be closed and restarted. Ending a play
# (the quit button, closing) is rare enough that many plays run out their time and are kept.
act() {
  local r=$(( RANDOM % 1000 )) x y
  actions=$(( actions + 1 ))
  if (( r < 280 )); then
    read -r x y < <(random_point); xdotool mousemove --window "$wid" "$x" "$y"
  elif (( r < 450 )); then
    read -r x y < <(random_point); xdotool mousemove --window "$wid" "$x" "$y" click $(( RANDOM % 2 ? 1 : 3 ))
  elif (( r < 600 )); then
    read -r x y < <(at ${targets[RANDOM % ${#targets[@]}]}); xdotool mousemove --window "$wid" "$x" "$y" click 1
  elif (( r < 680 )); then
    xdotool click --repeat $(( RANDOM % 3 + 1 )) $(( RANDOM % 2 + 4 ))
  elif (( r < 780 )); then
    xdotool key "${keys[RANDOM % ${#keys[@]}]}"
  elif (( r < 800 )); then
    xdotool key F11
  elif (( r < 840 )); then
    xdotool windowsize "$wid" $(( RANDOM % 900 + 200 )) $(( RANDOM % 700 + 150 ))
  elif (( r < 920 )); then
    sleep "$(( RANDOM % 3 )).$(( RANDOM % 10 ))"
  elif (( r < 994 )); then
    sleep 0.2
  elif (( r < 996 )); then
    read -r x y < <(at 520 470); xdotool mousemove --window "$wid" "$x" "$y" click 1
  elif [ "$1" != 1 ]; then
    sleep 0.2
  elif (( r < 998 )); then
    closes=$(( closes + 1 ))
    close_game; start_game "$game" "$data"
  else
    watch_kept_replay
  fi
  sleep 0.0$(( RANDOM % 10 ))
}
# A kept replay watched in a game of its own, with every key, until it ends or Escape leaves.
watch_kept_replay() {
  local files=("$data"/replays/*.qreplay)
  [ -f "${files[0]}" ] || return 0
  watched=$(( watched + 1 ))
  close_game
  start_game "$game" "$data" --watch "${files[RANDOM % ${#files[@]}]}"
  for key in space Right Right Up Up Up Down Page_Down Page_Up Left Home h F1 p plus minus space; do
    kill -0 "$pid" 2>/dev/null || break
    xdotool key "$key"
    sleep 0.$(( RANDOM % 5 ))
  done
  kill -0 "$pid" 2>/dev/null && xdotool key Escape
  expect_exit 10 "watching a kept replay"
  start_game "$game" "$data"
}

sample_rss() { [ -z "${rss_log:-}" ] || echo "$SECONDS $(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")" >>"$rss_log"; }
# soak GAME DATA SECONDS RESTARTS: drives the game until the time is up, then closes it.
soak() {
  game=$1 data=$2
  local end=$(( SECONDS + $3 )) next_sample=$SECONDS
  mkdir -p "$data"
  ln -sfn "$release/game/img" "$data/img"
  ln -sfn "$release/game/snd" "$data/snd"
  start_game "$game" "$data"
  while (( SECONDS < end )); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid"; fail "the game ended by itself with status $?"; }
    (( SECONDS >= next_sample )) && sample_rss && next_sample=$(( next_sample + 30 ))
    act "$4"
  done
  sample_rss
  close_game
}

half=$(( minutes * 30 ))
echo "== sanitized run, $half s (seed $seed)"
logs="$work/sanitizer-logs"
mkdir -p "$logs"
gcc -shared -fPIC -O2 -o "$work/libnodlclose.so" "$root/scripts/asan/nodlclose.c"
game_env=("ASAN_OPTIONS=log_path=$logs/asan:detect_leaks=1:halt_on_error=1"
          "LSAN_OPTIONS=suppressions=$root/scripts/asan/lsan.supp:print_suppressions=0"
          "UBSAN_OPTIONS=log_path=$logs/ubsan:print_stacktrace=1:halt_on_error=1" "LD_PRELOAD=$work/libnodlclose.so")
soak "$asan/quandel" "$work/asan-data" "$half" 1
sanitized=$actions
if compgen -G "$logs/*" >/dev/null; then
  for f in "$logs"/*; do echo "--- $f"; cat "$f"; done
  fail "sanitizer reports"
fi

echo "== release run, $half s, memory sampled every 30 s"
rss_log="$work/rss.txt"
game_env=()
soak "$release/quandel" "$work/release-data" "$half" 0
echo "actions: $sanitized sanitized ($closes closes and restarts, $watched kept replays watched), $(( actions - sanitized )) release"
awk '{ t[NR] = $1; r[NR] = $2; st += $1; sr += $2 }
     END {
       m = int((NR + 1) / 2)
       printf "release RSS: start %d KiB, middle %d KiB, end %d KiB (%d samples)\n", r[1], r[m], r[NR], NR
       for (i = 1; i <= NR; ++i) { num += (t[i] - st / NR) * (r[i] - sr / NR); den += (t[i] - st / NR) ^ 2 }
       printf "release RSS slope: %+.0f KiB per 10 minutes\n", (den > 0 ? num / den * 600 : 0)
     }' "$rss_log"

echo "== the kept files"
kept=0
for data in "$work/asan-data" "$work/release-data"; do
  [ ! -e "$data/scr.hsc" ] || [ "$(stat -c %s "$data/scr.hsc")" = 56 ] || fail "$data/scr.hsc is not whole"
  [ ! -e "$data/replay.dat" ] || "$release/quandel-replay" "$data/replay.dat" >/dev/null || fail "$data/replay.dat does not play"
  for f in "$data"/replays/*.qreplay; do
    [ -f "$f" ] || continue
    name=$(basename "$f")
    got=$("$release/quandel-replay" "$f" | sed -n 's/^score=\([0-9]*\) .*/\1/p')
    [ "$got" = "$(( 10#${name:20:6} ))" ] || fail "$name replays to score '$got'"
    kept=$(( kept + 1 ))
  done
done
echo "soak passed: $kept kept replays replay to the scores in their names"
