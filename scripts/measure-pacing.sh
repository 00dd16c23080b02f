#!/usr/bin/env bash
# Measures the real game in a real window (run under xvfb-run): frame intervals and CPU use on the
# title screen and during a busy play, with every frame drawn (frame skip 0).
#   xvfb-run -a -s "-screen 0 1024x768x24" scripts/measure-pacing.sh build
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
seconds=${SECONDS_PER_PHASE:-10}
work=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
ln -s "$build/game/img" "$work/img"
ln -s "$build/game/snd" "$work/snd"
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
hz=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Runs the game, does "$2" (a function) after the title is up, measures $seconds, closes.
session() {
  local label=$1 action=$2
  ( cd "$work" && exec env QUANDEL_PRESENT_LOG="$work/$label.log" "$build/quandel" ) &
  local pid=$! wid=""
  for _ in $(seq 1 100); do wid=$(xdotool search --name '^Quandel$' 2>/dev/null | head -n 1) && [ -n "$wid" ] && break; sleep 0.05; done
  sleep 1
  xdotool mousemove --window "$wid" 605 265 click 1   # frame skip 0: every frame drawn
  sleep 0.5
  $action "$wid"
  local t0 c0 t1 c1
  t0=$(date +%s%N); c0=$(cpu_ticks "$pid")
  if [ "$label" = play ]; then busy_play "$wid"; else sleep "$seconds"; fi
  t1=$(date +%s%N); c1=$(cpu_ticks "$pid")
  kill -TERM "$pid"; wait "$pid" || true
  local cpu
  cpu=$(awk -v c=$((c1 - c0)) -v hz="$hz" -v ns=$((t1 - t0)) 'BEGIN { printf "%.1f", 100 * c / hz / (ns / 1e9) }')
  # Intervals of the last $seconds seconds of presents, sorted.
  awk -v keep=$((seconds * 60 - 30)) '{ t[NR] = $1 } END { for (i = NR - keep + 1; i <= NR; ++i) print t[i] - t[i - 1] }' \
    "$work/$label.log" | sort -n > "$work/$label.d"
  awk -v label="$label" -v cpu="$cpu" '
    { d[NR] = $1; sum += $1 }
    END { printf "%-6s frames %d  mean %.2f ms  median %.2f  p99 %.2f  max %.2f  CPU %s %%\n", label, NR, sum / NR, d[int(NR / 2)], d[int(NR * 0.99)], d[NR], cpu }' "$work/$label.d"
}

no_action() { :; }
start_play() { xdotool mousemove --window "$1" 200 310 click 1; sleep 2.2; }
busy_play() {
  local end=$(( $(date +%s) + seconds ))
  while [ "$(date +%s)" -lt "$end" ]; do
    xdotool mousemove --window "$1" 230 120 click 1; sleep 0.35
    xdotool mousemove --window "$1" 200 250 click 3; sleep 0.35
    xdotool mousemove --window "$1" 230 80; sleep 0.3
  done
}

session title no_action
session play start_play
