#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time.
# Usage: scripts/fuzz.sh [SECONDS-PER-TARGET]   (default 60)
# New inputs are kept in build-fuzz/corpus/, away from the small seed corpus
# in fuzz/corpus/; a crash is saved in build-fuzz/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DHARMODEX_FUZZ=ON -DHARMODEX_BUILD_APP=OFF -DHARMODEX_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" >/dev/null
for target in pitch_class_list costere_code field_to_page set_reader musicxml midi live_midi window_state; do
  corpus=build-fuzz/corpus/$target
  mkdir -p "$corpus"
  cp -n fuzz/corpus/$target/* "$corpus/" 2>/dev/null || true
  # Texts a user types are short; score files are not.
  max_len=200
  case $target in musicxml | midi) max_len=16384 ;; window_state) max_len=4096 ;; esac
  echo "== fuzz_$target for ${seconds}s"
  status=0
  (cd build-fuzz && "./fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=$max_len -timeout=10 \
     -print_final_stats=1 "corpus/$target" >"fuzz_$target.log" 2>&1) || status=$?
  grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb|ERROR|SUMMARY' "build-fuzz/fuzz_$target.log" || true
  if [ "$status" -ne 0 ]; then
    echo "fuzz_$target found a fault (exit $status); its log: build-fuzz/fuzz_$target.log"
    tail -n 30 "build-fuzz/fuzz_$target.log"
    exit 1
  fi
done
