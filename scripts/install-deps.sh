#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the game need, but only when something is missing.
set -euo pipefail
pkgs=(cmake ninja-build g++ ccache pkg-config clang clang-format libclang-rt-14-dev
      libgtest-dev libgmock-dev googletest libbenchmark-dev libpng-dev
      libsdl2-dev libsdl2-mixer-dev libsdl2-image-dev libsdl2-ttf-dev libcairo2-dev
      fonts-dejavu-core timgm6mb-soundfont xfonts-base xauth x11-utils libx11-dev
      xvfb xdotool imagemagick sox desktop-file-utils openbox shared-mime-info libxml2-utils python3 python3-mido
      dpkg-dev file lintian appstream
      libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev libfluidsynth-dev ffmpeg
      emscripten node-acorn chromium)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
