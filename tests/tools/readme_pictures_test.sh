#!/usr/bin/env bash
# The README's pictures in docs/ are the ones `make readme-pictures` draws from the game as it is.
set -euo pipefail
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
bash "$1/scripts/readme-pictures.sh" "$2" "$tmp"
for f in "$tmp"/*.png; do
  differ=$(compare -metric AE "$f" "$1/docs/${f##*/}" null: 2>&1) || true
  [ "$differ" = 0 ] || { echo "FAIL: docs/${f##*/} is out of date ($differ): run make readme-pictures"; exit 1; }
done
