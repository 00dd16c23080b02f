#!/usr/bin/env bash
# Builds the game as a web page (`make web`) from a native build that has made the game's pictures
# and sounds and the music renderer:
#   web-build.sh NATIVE-BUILD [JOBS]
# The WebAssembly build goes to NATIVE-BUILD/web-cmake (Debian's emscripten, a configure of its
# own), the page to NATIVE-BUILD/web: index.html, its scripts, quandel.js/.wasm/.data, bgm.ogg.
set -euo pipefail
native=$(cd "$1" && pwd) jobs=${2:-2}
source=$(cd "$(dirname "$0")/.." && pwd)
# Debian's acorn, which emscripten's optimiser needs, is where this node does not look by itself.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
cmakedir=$native/web-cmake out=$native/web
[ -f "$cmakedir/build.ninja" ] ||
  emcmake cmake -S "$source" -B "$cmakedir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUANDEL_WEB_ASSETS="$native/game" >/dev/null
cmake --build "$cmakedir" -j "$jobs"
# The replay tracer runs under node; a wrapper lets it be called like the native tool.
printf '#!/bin/sh\nexec node "%s/quandel-trace.js" "$@"\n' "$cmakedir" > "$cmakedir/quandel-trace"
chmod +x "$cmakedir/quandel-trace"
mkdir -p "$out"
# The tune as the native game's synthesiser plays it, once, in Opus (about 1.3 MB for 3.5 minutes).
tune=$native/game/snd/bgm.mid
if [ ! -s "$out/bgm.ogg" ] || [ "$tune" -nt "$out/bgm.ogg" ] || [ "$native/quandel-render-tune" -nt "$out/bgm.ogg" ]; then
  "$native/quandel-render-tune" "$tune" |
    ffmpeg -loglevel error -y -f f32le -ar 44100 -ac 2 -i - -c:a libopus -b:a 48k -f ogg "$out/bgm.ogg.part"
  mv "$out/bgm.ogg.part" "$out/bgm.ogg"
fi
cp "$source"/src/main/web/{index.html,page.js,audio.js,touch.js,plays.js} "$cmakedir"/quandel.{js,wasm,data} "$out/"
echo "web page in $out"
