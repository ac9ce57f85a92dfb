#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (AddressSanitizer and
# UBSan on) into build-fuzz/ and runs each for the given time, starting from
# its seed corpus under tests/fuzz/corpus/. New inputs that add coverage are
# merged back into that corpus.
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
bash scripts/install-deps.sh

seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_richtext fuzz_record fuzz_music fuzz_colour fuzz_clock fuzz_colortext fuzz_records fuzz_picturelist)
fi

export CCACHE_DIR="${CCACHE_DIR:-$here/.ccache}"
export CCACHE_BASEDIR="$here"
# The library's objects use a precompiled header, which ccache caches only with these.
export CCACHE_SLOPPINESS=pch_defines,time_macros
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDORVO_FUZZ=ON \
  -DDORVO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}"

export ASAN_OPTIONS="detect_leaks=1"
for target in "${targets[@]}"; do
  seeds="tests/fuzz/corpus/$target"
  work="$build/corpus/$target"
  mkdir -p "$work"
  echo "== $target: ${seconds}s"
  "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "$work" "$seeds" 2>&1 | grep -E "^(#[0-9]+ +DONE|stat::|==[0-9]+==ERROR|SUMMARY)" || true
  # Keep only what adds coverage.
  "$build/tests/fuzz/$target" -merge=1 "$seeds" "$work" >/dev/null 2>&1 || true
done
