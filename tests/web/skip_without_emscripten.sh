#!/usr/bin/env bash
# Runs the command given, or skips (77) when this machine has no emscripten at all.
command -v em++ >/dev/null || { echo "SKIP: emscripten (em++) is not installed; scripts/install-deps.sh installs it"; exit 77; }
exec "$@"
