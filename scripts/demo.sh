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

# show PROGRAM NAME SECOND_SHOT_AT_MS [player arguments]: shows the program for 15 s on the display, or
# without one runs it under Xvfb with screenshots build/demo/NAME-1.png at 2 s and NAME-2.png later.
show() {
  local program="$1" name="$2" at2="$3"
  shift 3
  if [ -n "${DISPLAY:-}" ]; then
    echo "demo.sh: showing $program for 15 s (the callbacks appear below as JSON lines)"
    "$player" "$@" --duration 15000 "$program"
    return
  fi
  local shot="$here/build/demo/$name-1.png" shot2="$here/build/demo/$name-2.png" output
  mkdir -p "$(dirname "$shot")"
  rm -f "$shot" "$shot2"
  echo "demo.sh: no DISPLAY; running $program under Xvfb and taking screenshots"
  output="$(QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s "-screen 0 1920x1080x24" \
    "$player" --embed "$@" --screenshot "$shot" --at 2000 --screenshot "$shot2" --at "$at2" "$program")"
  printf '%s\n' "$output"
  # The screenshot lines name the PNG files written.
  printf '%s\n' "$output" | sed -n 's/^{"screenshot":"\(.*\)"}$/\1/p' | while read -r png; do
    echo "demo.sh: screenshot written: $png"
  done
}

show "$program" text 5500 "$@"
show "$here/examples/clocks.json" clocks 4000 "$@"
