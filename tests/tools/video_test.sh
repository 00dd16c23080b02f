#!/usr/bin/env bash
# quandel-replay --video: the written files decoded back with FFmpeg's own tools.
set -euo pipefail
tool=$1 data=$2/bot_play.dat
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }
probe() { ffprobe -v error -select_streams "$2" -show_entries "$3" -of default=nw=1:nk=1 "$1"; }
# The loudest sample between two times, in dB (-91 is digital silence).
peak() { ffmpeg -nostats -i "$1" -af "atrim=start=$2:end=$3,volumedetect" -f null - 2>&1 | sed -n 's/.*max_volume: \(.*\) dB/\1/p'; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a + 0 > b + 0) }'; }

# Which frame of the video a frame number is, and the first frame with a chain sound.
"$tool" --trace "$data" > trace
first=$(head -n 1 trace | sed -n 's/^{"frameNo":\(-\?[0-9]*\),.*/\1/p')
bomb=$(grep -n -m 1 '"sound":\[[^]]*\(Bomb\|wave\)' trace | cut -d: -f1)
bomb=$((bomb - 1))
rm trace

# The picture at scale 1: every frame of the clip, each as --frames draws it.
"$tool" --video clip.mp4 --scale 1 --from 3 --to 5 "$data"
[ "$(probe clip.mp4 v:0 stream=width,height | tr '\n' x)" = 640x480x ] || fail "picture size"
[ "$(probe clip.mp4 v:0 stream=r_frame_rate)" = 60/1 ] || fail "frame rate"
[ "$(probe clip.mp4 v:0 stream=nb_frames)" = 120 ] || fail "frame count"
above "$(probe clip.mp4 v:0 format=duration)" 1.983 && above 2.017 "$(probe clip.mp4 v:0 format=duration)" || fail "duration"
mkdir frames
"$tool" --frames frames --every 100 "$data" > /dev/null
n=$((141 - first - 180))
psnr=$(ffmpeg -nostats -i clip.mp4 -i frames/frame_00141.png -lavfi "[0:v]select=eq(n\,$n)[a];[a][1:v]psnr" -f null - 2>&1 |
       sed -n 's/.*PSNR.*average:\([0-9.inf]*\).*/\1/p')
above "$psnr" 35 || fail "frame 141 differs from its picture: PSNR $psnr dB"
above "$(peak clip.mp4 0 2)" -30 || fail "no music"

# The sound without music: silent until the first chain sound, loud at its frame; scale 2.
from=$(((bomb - 60) / 60))
"$tool" --video bomb.webm --music off --from "$from" --to $((from + 2)) "$data"
[ "$(probe bomb.webm v:0 stream=width,height | tr '\n' x)" = 1280x960x ] || fail "picture size at scale 2"
at=$(awk -v f="$bomb" -v s="$from" 'BEGIN { printf "%.4f", f / 60 - s }')
[ "$(peak bomb.webm 0 "$(awk -v t="$at" 'BEGIN { print t - 0.06 }')")" = -91.0 ] || fail "sound before the first chain"
above "$(peak bomb.webm "$at" "$(awk -v t="$at" 'BEGIN { print t + 0.05 }')")" -20 || fail "the chain is not heard at its frame"

"$tool" --video quiet.mp4 --music off --effects off --to 3 "$data"
[ "$(peak quiet.mp4 0 3)" = -91.0 ] || fail "music and effects off: not silent"

# Refusals: one line, exit 2, nothing written.
rm -f clip.mp4 bomb.webm quiet.mp4 frames/*.png && rmdir frames
for out in clip.avi /no/such/folder/clip.mp4; do
  set +e
  "$tool" --video "$out" --to 1 "$data" 2> err; rc=$?
  set -e
  [ $rc -eq 2 ] && [ "$(wc -l < err)" -eq 1 ] || fail "$out: exit $rc, $(cat err)"
  rm err
done
# Numbers are taken whole and within range before any use; the refusal names the option.
for bad in "--from 1e19" "--from nan" "--scale 1e9" "--every 0x10" "--effects loud" "--music maybe"; do
  set +e
  "$tool" --video bad.mp4 $bad "$data" 2> err; rc=$?
  set -e
  [ $rc -eq 2 ] || fail "$bad: exit $rc"
  [ "$(wc -l < err)" -eq 1 ] || fail "$bad: not one line: $(cat err)"
  grep -q -- "${bad% *}" err || fail "$bad: the refusal does not name the option: $(cat err)"
  rm err
done

# A signal that ends the export mid-way, or a write that fails, leaves no part file behind. Job
# control keeps INT and QUIT from being ignored in the background job.
set -m
ulimit -c 0
for sig in HUP QUIT INT TERM PIPE; do
  "$tool" --video sig.mp4 --scale 1 "$data" 2> /dev/null & pid=$!
  for _ in $(seq 600); do
    [ -n "$(find . -name '.sig.mp4.*' -size +100k)" ] && break
    sleep 0.05
  done
  kill -"$sig" "$pid" || fail "$sig: the export ended before the signal"
  wait "$pid" && fail "$sig: exit 0"
  [ -z "$(ls -A)" ] || fail "$sig: left $(ls -A)"
done
# A file size limit: the signal it raises, and the failed write when that signal is ignored.
for ignore in no yes; do
  ( [ $ignore = no ] || trap '' XFSZ; ulimit -f 200; exec "$tool" --video big.mp4 --scale 1 "$data" 2> /dev/null ) &&
    fail "file size limit, XFSZ ignored: $ignore: exit 0"
  [ -z "$(ls -A)" ] || fail "file size limit, XFSZ ignored: $ignore: left $(ls -A)"
done
[ -z "$(ls -A)" ] || fail "files left behind: $(ls -A)"
echo "video: size, rate, length, pictures and sound as the game makes them"
