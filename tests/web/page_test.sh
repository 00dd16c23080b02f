#!/usr/bin/env bash
# The web page in Debian's Chromium, driven by puppeteer-core (installed here from the committed
# package-lock.json when missing).
#   page_test.sh WEB-DIR QUANDEL-REPLAY TITLE-PICTURE GAME-DIR SAMPLE-PLAY
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ -d "$here/node_modules/puppeteer-core" ] || (cd "$here" && npm ci --no-audit --no-fund >/dev/null)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/play" "$work/downloads"
ln -s "$(cd "$4" && pwd)/img" "$work/play/img"
"$3" --first-frame "$work/play" "$work/title.png"
node "$here/page_test.js" "$1" "$2" "$work" "$5"
