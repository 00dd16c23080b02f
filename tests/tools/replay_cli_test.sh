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

# "$@" must end with status 2 and one line on stderr that says $said.
refused() {
  set +e; "$@" >/dev/null 2>"$work/err"; local rc=$?; set -e
  [ $rc -eq 2 ] || fail "$*: exit $rc"
  [ "$(wc -l < "$work/err")" -eq 1 ] || fail "$*: not one line on stderr: $(cat "$work/err")"
  grep -qF -- "$said" "$work/err" || fail "$*: does not say $said: $(cat "$work/err")"
  rm -f "$work/err"
}
head -c 116 /dev/urandom > "$work/random.dat"  # three records long
: > "$work/empty.dat"
for f in "$work/no-such.dat" "$work/random.dat" "$work/empty.dat" /etc/passwd; do said="$f: " refused "$tool" "$f"; done
said="--effects loud" refused "$tool" --effects loud "$data/bot_play.dat"
said="--music maybe: must be on or off" refused "$tool" --video x.mp4 --music maybe "$data/bot_play.dat"
said="--bogus" refused "$tool" --bogus "$data/bot_play.dat"
said="--trace takes one" refused "$tool" --trace "$data/bot_play.dat" "$data/bot_play.dat"

# Several files: one line each, in order, and exit 0 only when every one was played.
set +e; "$tool" --jobs 2 "$data/bot_play.dat" "$work/empty.dat" "$data/bot_play.dat" > "$work/many"; rc=$?; set -e
[ $rc -eq 2 ] || fail "a refused file among several: exit $rc"
mapfile -t lines < "$work/many"
[ ${#lines[@]} -eq 3 ] || fail "three files, ${#lines[@]} lines"
[ "${lines[0]}" = "$data/bot_play.dat: $out" ] || fail "first of several: ${lines[0]}"
[[ ${lines[1]} == "$work/empty.dat: not a replay: "* ]] || fail "refused among several: ${lines[1]}"
[ "${lines[2]}" = "${lines[0]}" ] || fail "third of several: ${lines[2]}"
"$tool" "$data/bot_play.dat" "$data/bot_play.dat" >/dev/null || fail "two good files: exit $?"
# A play without a single event ends in the first stage, which the game shows as 01.
{ printf '(((((((('; tail -c +9 "$data/bot_play.dat" | head -c 36; } > "$work/idle.dat"
[[ $("$tool" "$work/idle.dat") == *" stage=1 "* ]] || fail "an idle play: $("$tool" "$work/idle.dat")"
rm -f "$work"/*.dat "$work/many"

"$tool" --trace "$data/bot_play.dat" > "$work/opt.trace"
frames=$(wc -l < "$work/opt.trace")
[ "$frames" -gt 5000 ] || fail "trace has only $frames lines"
head -c 200 "$work/opt.trace" | grep -q '^{"frameNo":-59,"endTimer":0,"timeLeft":3600' || fail "first trace line"
grep -q '"sound":\["play BGM notify from 0"\]' <(head -n 1 "$work/opt.trace") || fail "the start of the play's sound is on the first line"
rm -f "$work/opt.trace"
same=$(bash "$here/same_traces.sh" "$tool" "$noopt" "optimised and unoptimised" "$data") || fail "$same"

[ -z "$(ls -A "$work")" ] || fail "the tool left files behind: $(ls -A "$work")"
echo "replay tool: $frames traced frames, identical with and without optimisation"
