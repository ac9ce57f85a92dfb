#!/usr/bin/env bash
# Installs what is missing, builds, and runs the demo host (build/tools/preview-player) on the example
# program examples/text.json (a 1920x1080 canvas at 50 % with a paged text with an effect, a left and an
# up marquee and a static CJK text). With a display ($DISPLAY set) the preview shows in a window for 15
# seconds; without one it runs under Xvfb and writes screenshots to build/demo/text-1.png (first page)
# and build/demo/text-2.png (second page, marquees moved on). Then it shows examples/clocks.json (analogue
# clocks of four zones, two digital clocks, a countdown and a count-up) the same way, with the screenshots
# build/demo/clocks-1.png and build/demo/clocks-2.png two seconds apart (the hands and counts moved on).
# Extra arguments go to preview-player (for example --embed or --verbose).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

bash scripts/install-deps.sh

export CCACHE_DIR="${CCACHE_DIR:-$here/.ccache}"
export CCACHE_BASEDIR="$here"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build

player="$here/build/tools/preview-player"
program="$here/examples/text.json"
if [ ! -x "$player" ]; then
  echo "demo.sh: $player was not built" >&2
  exit 1
fi

export QSG_RENDER_LOOP=basic

if [ -n "${DISPLAY:-}" ]; then
  echo "demo.sh: showing $program for 15 s (the callbacks appear below as JSON lines)"
  "$player" "$@" --duration 15000 "$program"
else
  shot="$here/build/demo/text-1.png"
  shot2="$here/build/demo/text-2.png"
  mkdir -p "$(dirname "$shot")"
  rm -f "$shot" "$shot2"
  echo "demo.sh: no DISPLAY; running $program under Xvfb and taking a screenshot"
  export QT_QPA_PLATFORM=xcb
  export LIBGL_ALWAYS_SOFTWARE=1
  output="$(xvfb-run -a -s "-screen 0 1920x1080x24" \
    "$player" --embed "$@" --screenshot "$shot" --at 2000 --screenshot "$shot2" --at 5500 "$program")"
  printf '%s\n' "$output"
  # The screenshot lines name the PNG files written.
  printf '%s\n' "$output" | sed -n 's/^{"screenshot":"\(.*\)"}$/\1/p' | while read -r png; do
    echo "demo.sh: screenshot written: $png"
  done
fi

clocks="$here/examples/clocks.json"
if [ -n "${DISPLAY:-}" ]; then
  echo "demo.sh: showing $clocks for 15 s"
  "$player" "$@" --duration 15000 "$clocks"
else
  shot="$here/build/demo/clocks-1.png"
  shot2="$here/build/demo/clocks-2.png"
  rm -f "$shot" "$shot2"
  echo "demo.sh: running $clocks under Xvfb and taking screenshots"
  output="$(xvfb-run -a -s "-screen 0 1920x1080x24" \
    "$player" --embed "$@" --screenshot "$shot" --at 2000 --screenshot "$shot2" --at 4000 "$clocks")"
  printf '%s\n' "$output" | sed -n 's/^{"screenshot":"\(.*\)"}$/\1/p' | while read -r png; do
    echo "demo.sh: screenshot written: $png"
  done
fi
