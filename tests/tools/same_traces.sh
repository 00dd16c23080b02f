#!/usr/bin/env bash
# Two builds of quandel-replay must trace every sample play identically, bit for bit.
#   same_traces.sh TOOL OTHER-TOOL WHAT DATA-DIR
set -euo pipefail
tool=$1 other=$2 what=$3 data=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
n=0
for play in "$data"/*.dat; do
  [ -e "$play" ] || continue
  "$tool" --trace "$play" > "$work/a"
  "$other" --trace "$play" > "$work/b"
  [ -s "$work/a" ] || { echo "FAIL: no trace of $play"; exit 1; }
  if ! cmp -s "$work/a" "$work/b"; then
    echo "FAIL: $what: the traces of $(basename "$play") differ"
    diff "$work/a" "$work/b" | head -n 4 | cut -c 1-400
    exit 1
  fi
  n=$((n + 1))
done
[ $n -gt 0 ] || { echo "FAIL: no sample plays in $data"; exit 1; }
echo "$what: $n plays traced identically"
