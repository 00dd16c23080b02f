#!/usr/bin/env bash
# Builds quandel-replay with clang, in a configure of its own holding only what the tool needs, and
# requires the same traces as the GCC build: the simulation must not depend on the compiler.
#   clang_traces_test.sh CMAKE GENERATOR SOURCE-DIR BUILD-DIR CLANG++ GCC-TOOL DATA-DIR
set -euo pipefail
cmake=$1 generator=$2 source=$3 build=$4 clang=$5 gcc_tool=$6 data=$7
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$build"
log=$build/build.log
# Configured every time (under a second), so a changed compiler or source list is picked up.
if ! { "$cmake" -S "$source" -B "$build" -G "$generator" -DCMAKE_BUILD_TYPE=Release \
         -DCMAKE_CXX_COMPILER="$clang" -DQUANDEL_WITH_SDL=OFF -DQUANDEL_WITH_TOOLS=OFF \
         -DQUANDEL_WITH_BENCH=OFF &&
       "$cmake" --build "$build" --target quandel-replay -j 2; } > "$log" 2>&1; then
  tail -n 40 "$log"
  echo "FAIL: the clang build of quandel-replay failed (log: $log)"
  exit 1
fi
bash "$here/same_traces.sh" "$gcc_tool" "$build/quandel-replay" "GCC and clang" "$data"
