#!/usr/bin/env bash
# Runs every benchmark (medians of 9 repetitions) and the start-up comparison,
# and writes the figures to docs/performance.md.
# Usage: scripts/bench.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
out=docs/performance.md
mkdir -p docs
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT

{
  echo "# Performance"
  echo
  echo "Produced by \`scripts/bench.sh\` (\`make bench\`) on $(date -u +%Y-%m-%d):"
  echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')."
  echo "Do not edit by hand; run the script again."
  echo
  echo "## Hot procedures (Google Benchmark, median of 9 repetitions)"
  echo
  echo "| benchmark | median |"
  echo "|---|---|"
  for b in "$build"/bench/bench_*; do
    [ -x "$b" ] || continue
    "$b" --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
         --benchmark_format=csv 2>/dev/null >"$tmp" || continue
    # name,iterations,real_time,cpu_time,time_unit,...
    grep '_median"' "$tmp" | while IFS=, read -r name _ real _ unit _; do
      name=${name//\"/}
      printf '| %s | %.3f %s |\n' "${name%_median}" "$real" "$unit"
    done
  done
  echo
  echo "## Start-up and memory (Xvfb, medians of 9 runs in each of 3 X server sessions, pooled)"
  echo
  echo "Time from exec to the window's last drawing of its start-up (visually"
  echo "complete: no drawing follows for half a second), to its first drawing"
  echo "(first frame) and to its map, seen from another X client"
  echo "(\`scripts/startup/mapwait.c\`: MapNotify, the DAMAGE extension); the"
  echo "window's size or position changes after its map; peak RSS of the"
  echo "process once ended. The bare window is a Qt Widgets main window with a"
  echo "menu bar and a label, measured in the same runs. \"pikselar in"
  echo "English\" is the same program started with LANG=en_US.UTF-8, which"
  echo "loads its built-in English translation."
  echo
  bash scripts/startup.sh "$build" 9 3
  for wm in openbox xfwm4 metacity; do
    echo
    echo "### Under $wm (one X server session of 9 runs)"
    echo
    bash scripts/startup.sh "$build" 9 1 "$wm"
  done
} >"$out"
cat "$out"
