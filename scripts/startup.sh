#!/usr/bin/env bash
# Start-up time (exec to the main window mapped, and to its first frame drawn)
# and peak RSS of Pikselar, side by side with a bare Qt Widgets window and with
# mtPaint, on a private Xvfb.
# Medians of ROUNDS runs (default 9) after one uncounted round, the programs
# taking turns in each round. With SESSIONS above 1, that many X servers are
# started one after another and all their runs pooled: where the scheduler
# puts the server for a whole session moves one session's medians by 10-20 %.
# Usage: scripts/startup.sh [BUILD_DIR] [ROUNDS] [SESSIONS]   Prints a Markdown table.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
rounds=${2:-9}
sessions=${3:-1}
work=$build/startup
mkdir -p "$work"

gcc -O2 -o "$work/mapwait" scripts/startup/mapwait.c -lX11 -lXdamage
g++ -O2 -fPIC -std=c++17 -o "$work/bare" scripts/startup/bare.cpp \
    $(pkg-config --cflags --libs Qt6Widgets)

# A program folder of its own, so that the runs leave no options file behind.
app=$(mktemp -d)
cp "$build/pikselar" "$build/header.dat" "$app/"
export HOME=$app XDG_CONFIG_HOME=$app/config XDG_RUNTIME_DIR=$app/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

xvfb_pid=
trap 'kill $xvfb_pid 2>/dev/null || true; rm -rf "$app"' EXIT

programs=("pikselar:$app/pikselar" "bare Qt window:$work/bare")
command -v mtpaint >/dev/null && programs+=("mtPaint:mtpaint")

declare -A times rss frames
for ((s = 0; s < sessions; ++s)); do
  exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset 2>/dev/null)
  xvfb_pid=$!
  read -r display <&3
  export DISPLAY=:$display
  # Round -1 warms the caches and the fresh home folder and is not counted.
  for ((r = -1; r < rounds; ++r)); do
    for entry in "${programs[@]}"; do
      name=${entry%%:*}
      # A run that fails to map (a busy machine) is left out of the medians.
      out=$("$work/mapwait" 200 ${entry#*:} 2>/dev/null) || continue
      ((r < 0)) && continue
      read -r ms kb frame <<<"$out"
      times[$name]+="$ms "
      rss[$name]+="$kb "
      frames[$name]+="$frame "
    done
  done
  kill $xvfb_pid
  wait $xvfb_pid 2>/dev/null || true
  exec 3<&-
done

median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
bare_ms=$(echo "${times[bare Qt window]}" | median)
bare_frame=$(echo "${frames[bare Qt window]}" | median)
echo "| program | start-up to window mapped (median ms) | ratio to bare Qt | to first frame drawn (median ms) | ratio to bare Qt | peak RSS (median MB) |"
echo "|---|---|---|---|---|---|"
for entry in "${programs[@]}"; do
  name=${entry%%:*}
  ms=$(echo "${times[$name]}" | median)
  frame=$(echo "${frames[$name]}" | median)
  kb=$(echo "${rss[$name]}" | median)
  printf '| %s | %.1f | %.2f | %.1f | %.2f | %.1f |\n' "$name" "$ms" "$(echo "$ms / $bare_ms" | bc -l)" \
    "$frame" "$(echo "$frame / $bare_frame" | bc -l)" "$(echo "$kb / 1024" | bc -l)"
done
