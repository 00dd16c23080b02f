#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds, starting from the seed corpus in the
# repository. New inputs go to the build folder, so the repository's corpus stays small.
# Usage: fuzz/run.sh <build-dir> <seconds>   (TARGETS="replay ..." for some of them only)
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
status=0
for target in ${TARGETS:-digits settings high_scores replay replay_writer window_file}; do
  work="$build/corpus/$target"
  mkdir -p "$work" "$build/artifacts"
  log="$build/$target.log"
  # Every slot of a replay file goes through the same code: 28 of them (1 KiB) reach all that 113
  # (the default 4 KiB) would, for much less work per input; the writer's 20 records (260 bytes)
  # likewise reach all its paths.
  limit=()
  case $target in replay) limit=(-max_len=1024) ;; replay_writer) limit=(-max_len=260) ;; esac
  if "$build/fuzz_$target" "${limit[@]}" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$build/artifacts/$target-" "$work" "$here/corpus/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz_$target: ${runs:-?} runs in ${seconds}s, no finding"
  else
    echo "fuzz_$target: FAILED (log: $log, inputs: $build/artifacts/)"
    tail -n 30 "$log"
    status=1
  fi
done
exit $status
