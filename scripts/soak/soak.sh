#!/usr/bin/env bash
# The game under random player input for MINUTES minutes, twice: built with AddressSanitizer and
# UBSan (any report fails), then the release build with its memory sampled. Each run plays in a
# temporary data folder of its own and checks the files the game kept there.
#   soak.sh RELEASE-BUILD ASAN-BUILD MINUTES [SEED] [JOBS]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
here="$root/scripts/soak"
release=$1 asan=$2 minutes=$3 seed=${4:-} jobs=${5:-2}

# A soak is long on purpose, but not without end: two runs of this many minutes each.
if ! [[ $minutes =~ ^[0-9]+$ ]] || [ "$minutes" -lt 1 ] || [ "$minutes" -gt 240 ]; then
  echo "soak: MINUTES must be a whole number from 1 to 240, not '$minutes'" >&2
  exit 2
fi
if [ -z "$seed" ]; then
  seed=$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')
elif ! [[ $seed =~ ^[0-9]{1,18}$ ]]; then
  echo "soak: SEED must be a whole number, not '$seed'" >&2
  exit 2
fi
for tool in xvfb-run xdotool xwininfo import python3; do
  command -v "$tool" > /dev/null || { echo "soak: $tool is missing (make deps)" >&2; exit 2; }
done

targets=(quandel quandel-replay xdelete game-art game-sounds)
build() {
  local dir=$1
  shift
  [ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja "$@" > /dev/null || return 1
  cmake --build "$dir" -j "$jobs" --target "${targets[@]}" | grep -v '^\[' || true
  for t in quandel quandel-replay xdelete; do [ -x "$dir/$t" ] || { echo "soak: $dir/$t was not built" >&2; return 1; }; done
}
# The sanitizer settings of scripts/asan/check.sh, so both share one build folder.
sanitize="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
link="-fsanitize=address,undefined -static-libasan -static-libubsan"
build "$release" -DCMAKE_BUILD_TYPE=Release || exit 1
build "$asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS="$sanitize" -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_EXE_LINKER_FLAGS="$link" -DCMAKE_SHARED_LINKER_FLAGS="$link" || exit 1
asan=$(cd "$asan" && pwd)
gcc -shared -fPIC -O2 -o "$asan/libnodlclose.so" "$root/scripts/asan/nodlclose.c" || exit 1

echo "soak: seed $seed, $minutes minutes a build (again: make soak MINUTES=$minutes SEED=$seed)"
# -noreset: a game restarted while the server resets after its last client would find no display.
xvfb() { xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" python3 "$here/driver.py" "$@"; }
status=0

echo "== sanitized ($asan)"
logs="$asan/soak-sanitizer-logs"
rm -rf "$logs" && mkdir -p "$logs"
ASAN_OPTIONS="log_path=$logs/asan:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:halt_on_error=1" \
LSAN_OPTIONS="suppressions=$root/scripts/asan/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS="log_path=$logs/ubsan:print_stacktrace=1:halt_on_error=1" \
  xvfb --build "$asan" --minutes "$minutes" --seed "$seed" --sanitizer-logs "$logs" --preload "$asan/libnodlclose.so" || status=1

echo "== release ($release)"
xvfb --build "$release" --minutes "$minutes" --seed "$seed" || status=1

if [ $status -eq 0 ]; then echo "soak: passed"; else echo "soak: FAILED (seed $seed)"; fi
exit $status
