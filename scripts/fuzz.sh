#!/usr/bin/env bash
# Builds the libFuzzer targets with Debian's clang (ASan + UBSan) and runs each on
# its seed corpus for the given number of seconds (default 30). An input that
# takes more than 512 MB or 2 s is a finding, as a crash is, and fails the run.
# Usage: scripts/fuzz.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
build=${FUZZ_BUILD:-build-fuzz}

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPIKSELAR_FUZZ=ON >/dev/null
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do
    [ -e "$f" ] || continue
    targets+=("$(basename "$f" .cpp)")
  done
fi
# Only the fuzz targets: the program and the tests are not needed here.
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}" >/dev/null

export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp"
# ASan keeps freed memory aside (256 MB by default) to catch late uses; with
# pictures of up to 4096 x 4096 that alone would pass the 512 MB limit, which
# is meant for what the decoders themselves hold.
export ASAN_OPTIONS="quarantine_size_mb=32${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export QT_QPA_PLATFORM=offscreen
failed=0
for t in "${targets[@]}"; do
  name=${t#fuzz_}
  corpus=fuzz/corpus/$name
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/ 2>/dev/null || true
  log=$build/$t.log
  if "$build/$t" -max_total_time="$seconds" -rss_limit_mb=512 -malloc_limit_mb=512 -timeout=2 \
       -artifact_prefix="$build/$t-" "$work" >"$log" 2>&1; then
    runs=$(grep -Eo 'Done [0-9]+ runs' "$log" | grep -Eo '[0-9]+' | tail -1)
    echo "fuzz $t: ${runs:-?} runs in ${seconds}s, no finding"
  else
    echo "fuzz $t: FAILED (see $log)"
    tail -30 "$log"
    failed=$((failed + 1))
  fi
  rm -rf "$work"
done
[ "$failed" -eq 0 ]
