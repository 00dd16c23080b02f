#!/usr/bin/env bash
# Two builds of quandel-replay must trace every sample play identically, bit for bit.
#   same_traces.sh TOOL OTHER-TOOL WHAT DATA-DIR
set -euo pipefail
tool=$1 other=$2 what=$3 data=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
plays=("$data"/*.dat)
[ -e "${plays[0]}" ] || { echo "FAIL: no sample plays in $data"; exit 1; }
for play in "${plays[@]}"; do
  "$tool" --trace "$play" > "$work/a" && [ -s "$work/a" ] || { echo "FAIL: no trace of $play"; exit 1; }
  "$other" --trace "$play" > "$work/b"
  cmp -s "$work/a" "$work/b" || { echo "FAIL: $what: the traces of $play differ"; diff "$work/a" "$work/b" | head -n 4 | cut -c 1-400; exit 1; }
done
echo "$what: ${#plays[@]} plays traced identically"
