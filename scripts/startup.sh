#!/usr/bin/env bash
# Start-up of Pikselar, in Polish and in English, side by side with a bare Qt
# Widgets window (a menu bar above a label) and with mtPaint, on a private Xvfb: time from exec to the
# window mapped, to its first frame drawn, and to its last drawing of the
# start-up (visually complete: no drawing follows for half a second); the
# size or position changes of the window after its map; peak RSS.
# Medians of ROUNDS runs (default 9) after one uncounted round, the programs
# taking turns in each round. With SESSIONS above 1, that many X servers are
# started one after another and all their runs pooled: where the scheduler
# puts the server for a whole session moves one session's medians by 10-20 %.
# With WM (openbox, xfwm4 or metacity), each X server runs that window manager.
# Usage: scripts/startup.sh [BUILD_DIR] [ROUNDS] [SESSIONS] [WM]   Prints a Markdown table.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
rounds=${2:-9}
sessions=${3:-1}
wm=${4:-}
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

xvfb_pid= wm_pid=
trap 'kill $wm_pid $xvfb_pid 2>/dev/null || true; rm -rf "$app"' EXIT

case $wm in
  "") wm_cmd=() ;;
  openbox) wm_cmd=(openbox --sm-disable) ;;
  xfwm4) wm_cmd=(dbus-run-session -- xfwm4 --replace --compositor=off) ;;
  metacity) wm_cmd=(metacity --replace --sm-disable --no-composite) ;;
  *) echo "unknown window manager: $wm" >&2; exit 2 ;;
esac

# Each program starts through env with its locale named, so that all pay the
# same and the language is the one meant: Polish under C.UTF-8 (as the tests
# run it), English under en_US.UTF-8 (the program reads the name; the machine
# need not have that locale).
polish="env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=C.UTF-8"
english="env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=en_US.UTF-8"
programs=("pikselar:$polish $app/pikselar" "pikselar in English:$english $app/pikselar"
          "bare Qt window:$polish $work/bare")
command -v mtpaint >/dev/null && programs+=("mtPaint:mtpaint")

declare -A maps rss frames completes changes
for ((s = 0; s < sessions; ++s)); do
  exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset 2>/dev/null)
  xvfb_pid=$!
  read -r display <&3
  export DISPLAY=:$display
  if ((${#wm_cmd[@]})); then
    "${wm_cmd[@]}" >/dev/null 2>&1 &
    wm_pid=$!
    for ((i = 0; i < 300; ++i)); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
      sleep 0.05
    done
  fi
  # Round -1 warms the caches and the fresh home folder and is not counted.
  for ((r = -1; r < rounds; ++r)); do
    for entry in "${programs[@]}"; do
      name=${entry%%:*}
      # A run that fails to map (a busy machine) is left out of the medians.
      out=$("$work/mapwait" 500 ${entry#*:} 2>/dev/null) || continue
      ((r < 0)) && continue
      read -r ms kb frame complete changed <<<"$out"
      maps[$name]+="$ms "
      rss[$name]+="$kb "
      frames[$name]+="$frame "
      completes[$name]+="$complete "
      changes[$name]+="$changed "
    done
  done
  if [ -n "$wm_pid" ]; then
    kill $wm_pid
    wait $wm_pid 2>/dev/null || true
    wm_pid=
  fi
  kill $xvfb_pid
  wait $xvfb_pid 2>/dev/null || true
  exec 3<&-
done

median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
most() { tr ' ' '\n' | grep -v '^$' | sort -g | tail -1; }
ratio() { echo "$1 / $2" | bc -l; }
bare_map=$(echo "${maps[bare Qt window]}" | median)
bare_frame=$(echo "${frames[bare Qt window]}" | median)
bare_complete=$(echo "${completes[bare Qt window]}" | median)
echo "| program | visually complete (median ms) | ratio to bare Qt | first frame drawn (median ms) | ratio | window mapped (median ms) | ratio | size or position changes after the map (most in a run) | peak RSS (median MB) |"
echo "|---|---|---|---|---|---|---|---|---|"
for entry in "${programs[@]}"; do
  name=${entry%%:*}
  map=$(echo "${maps[$name]}" | median)
  frame=$(echo "${frames[$name]}" | median)
  complete=$(echo "${completes[$name]}" | median)
  changed=$(echo "${changes[$name]}" | most)
  kb=$(echo "${rss[$name]}" | median)
  printf '| %s | %.1f | %.2f | %.1f | %.2f | %.1f | %.2f | %d | %.1f |\n' "$name" \
    "$complete" "$(ratio "$complete" "$bare_complete")" "$frame" "$(ratio "$frame" "$bare_frame")" \
    "$map" "$(ratio "$map" "$bare_map")" "$changed" "$(echo "$kb / 1024" | bc -l)"
done
