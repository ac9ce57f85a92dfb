#!/usr/bin/env bash
# Runs the already built test suite several times in a row (default 3) while
# another process keeps one core busy, to show the suite does not depend on an
# idle machine. Stops at the first run with a failure.
#   BUILD_DIR=build-asan scripts/soak.sh 3
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$here/${BUILD_DIR:-build}"
runs="${1:-3}"
[ -f "$build/CTestTestfile.cmake" ] || { echo "soak.sh: no built suite in $build (run scripts/test.sh first)"; exit 1; }

# The busy process: one shell loop, at normal priority, for the whole soak.
( while :; do :; done ) &
hog=$!
trap 'kill $hog 2>/dev/null || true' EXIT

export QSG_RENDER_LOOP=basic QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1
cd "$build"
for i in $(seq 1 "$runs"); do
  start=$(date +%s)
  if xvfb-run -a -s "-screen 0 1920x1080x24" ctest --output-on-failure -j2 --timeout 600 > "soak-$i.log" 2>&1; then
    status=passed
  else
    status=FAILED
  fi
  echo "soak run $i: $status in $(( $(date +%s) - start )) s; $(grep -E 'tests passed' "soak-$i.log" || true)"
  [ "$status" = passed ] || { grep -E '\*\*\*Failed|\(Failed\)|Timeout' "soak-$i.log" || true; exit 1; }
done
