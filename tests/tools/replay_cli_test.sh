#!/usr/bin/env bash
# quandel-replay as a user calls it: result line, exit codes, traces, and that it writes nothing.
set -euo pipefail
tool=$1 noopt=$2 data=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }

out=$("$tool" "$data/bot_play.dat")
[[ $out =~ ^score=([0-9]+)\ stage=([0-9]+)\ frames=([0-9]+)$ ]] || fail "result line: $out"
[ "${BASH_REMATCH[2]}" -ge 5 ] || fail "the sample play should reach stage 5: $out"

set +e
"$tool" "$work/no-such.dat" >/dev/null 2>"$work/err"; rc=$?
set -e
[ $rc -eq 2 ] || fail "missing file: exit $rc"
[ "$(wc -l < "$work/err")" -eq 1 ] || fail "missing file: one line on stderr"
rm -f "$work/err"

"$tool" --trace "$data/bot_play.dat" > "$work/opt.trace"
frames=$(wc -l < "$work/opt.trace")
[ "$frames" -gt 5000 ] || fail "trace has only $frames lines"
head -c 200 "$work/opt.trace" | grep -q '^{"frameNo":-59,"endTimer":0,"timeLeft":3600' || fail "first trace line"
grep -q '"sound":\["play BGM notify from 0"\]' <(head -n 1 "$work/opt.trace") || fail "the start of the play's sound is on the first line"
rm -f "$work/opt.trace"
same=$(bash "$here/same_traces.sh" "$tool" "$noopt" "optimised and unoptimised" "$data") || fail "$same"

[ -z "$(ls -A "$work")" ] || fail "the tool left files behind: $(ls -A "$work")"
echo "replay tool: $frames traced frames, identical with and without optimisation"
