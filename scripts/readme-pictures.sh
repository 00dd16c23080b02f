#!/usr/bin/env bash
# The README's pictures, drawn by the game itself: the title screen as a first start composes it,
# and one frame of the recorded test play with numbered markers on the parts the README names.
#   scripts/readme-pictures.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$1 out=$2
here=$(cd "$(dirname "$0")/.." && pwd)
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"

"$build/quandel-title-picture" "$build/game" "$out/title-screen.png"

# A chain in full swing: the grey box burning among both colours, a bomb going off near the top.
# The play is drawn from frame -59, so every (frame + 59)-th picture lands on the frame itself.
frame=3819
"$build/quandel-replay" --frames "$tmp" --every $((frame + 59)) --assets "$build/game" \
  "$here/tests/data/bot_play.dat" > /dev/null
shot=$tmp/$(printf 'frame_%05d.png' "$frame")
[ -f "$shot" ] || { echo "readme-pictures: frame $frame was not drawn" >&2; exit 1; }

# number x y: an amber disc with a dark number, the same look as the game's labels.
markers=(
  1 80 96      # the faint line: above it the column scrolls faster
  2 232 30     # the bomb's blast
  3 330 125    # burning boxes
  4 96 290     # the grey box's fire
  5 180 398    # falling boxes
  6 78 36      # the magnet's reach around the cursor
  7 66 440     # the gauges
  8 455 30     # time left
  9 510 64     # stage and NEXT
  10 398 126   # score
  11 458 176   # the last chain's length
  12 472 287   # chains still burning
  13 460 470   # quit
  14 448 425   # watching a replay
  15 590 452   # frames drawn per second
)
args=()
for ((i = 0; i < ${#markers[@]}; i += 3)); do
  n=${markers[i]} x=${markers[i + 1]} y=${markers[i + 2]}
  dx=$(( ${#n} == 1 ? 4 : 8 ))
  args+=(-fill '#FFCE60' -stroke '#1A1C2A' -strokewidth 2 -draw "circle $x,$y $((x + 9)),$y"
         -stroke none -fill '#1A1C2A' -annotate "+$((x - dx))+$((y + 5))" "$n")
done
convert "$shot" -font "$font" -pointsize 12 "${args[@]}" -strip \
  -define png:exclude-chunks=date,time "$out/chain.png"
