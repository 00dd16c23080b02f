#!/usr/bin/env bash
# The whole test suite, then generated replays, in a build with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer. Any report fails the check, also one from a child process whose exit
# status a test script expected to be non-zero anyway.
#   check.sh BUILD-DIR [JOBS] [REPLAYS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(mkdir -p "${1:-build-asan}" && cd "${1:-build-asan}" && pwd)
jobs=${2:-2}
replays=${3:-300}
here="$root/scripts/asan"
t0=$(date +%s)
stamp() { echo "== $1 ($(( $(date +%s) - t0 )) s)"; }

# The runtimes are linked statically: a dynamic libasan would have to come first in LD_PRELOAD,
# and then it would also load into ctest, bash, Xvfb and ImageMagick.
sanitize="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
link="-fsanitize=address,undefined -static-libasan -static-libubsan"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_FLAGS="$sanitize" -DCMAKE_CXX_FLAGS="$sanitize" \
    -DCMAKE_EXE_LINKER_FLAGS="$link" -DCMAKE_SHARED_LINKER_FLAGS="$link"
fi

# Reports go to files as well as being fatal, so none can hide behind an expected failure.
logs="$build/sanitizer-logs"
rm -rf "$logs" && mkdir -p "$logs"
export ASAN_OPTIONS="log_path=$logs/asan:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="log_path=$logs/ubsan:print_stacktrace=1:halt_on_error=1"
findings() {
  if compgen -G "$logs/*" > /dev/null; then
    echo "sanitizer reports:"
    for f in "$logs"/*; do echo "--- $f"; cat "$f"; done
    return 0
  fi
  return 1
}

# The generators run during the build, sanitized as well.
cmake --build "$build" -j "$jobs"
stamp "built"
findings && exit 1

gcc -shared -fPIC -O2 -o "$build/libnodlclose.so" "$here/nodlclose.c"
export LD_PRELOAD="$build/libnodlclose.so"
status=0
ctest --test-dir "$build" --output-on-failure -j "$jobs" || status=1
stamp "test suite"

# The replays in two shards, one per core.
half=$(( (replays + 1) / 2 ))
hostile=$(( replays / 4 + 1 ))
fuzzdir="$build/replay-fuzz-files"
rm -rf "$fuzzdir"
pids=()
for seed in 1 2; do
  "$build/replay-fuzz" --plays "$half" --hostile "$hostile" --seed "$seed" --dir "$fuzzdir/$seed" &
  pids+=($!)
done
for p in "${pids[@]}"; do wait "$p" || status=1; done
stamp "generated replays"
if [ $status -ne 0 ] && compgen -G "$fuzzdir/*/*.dat" > /dev/null; then
  echo "replays left behind by a failure (play one with $build/quandel-replay FILE):"
  ls "$fuzzdir"/*/*.dat
fi

findings && status=1
[ $status -eq 0 ] && echo "check-asan: no findings"
exit $status
