#!/usr/bin/env bash
# The README's pictures in docs/ are the ones `make readme-pictures` draws from the game as it is.
set -euo pipefail
src=$1 build=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
bash "$src/scripts/readme-pictures.sh" "$build" "$tmp"
for f in "$tmp"/*.png; do
  name=docs/$(basename "$f")
  differ=$(compare -metric AE "$f" "$src/$name" null: 2>&1) || true
  [ "$differ" = 0 ] || { echo "FAIL: $name is out of date ($differ): run make readme-pictures"; exit 1; }
done
echo "readme pictures up to date: $(ls "$tmp")"
