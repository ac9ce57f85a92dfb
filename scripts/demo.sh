#!/usr/bin/env bash
# Installs what is missing, builds, and runs the demo host (build/tools/preview-player) on the example
# programs, one after the other:
# - examples/text.json: a 1920x1080 canvas at 50 % with a paged text with an effect, a left and an up
#   marquee and a static CJK text. Screenshots build/demo/text-1.png (first page) and text-2.png (second
#   page, marquees moved on).
# - examples/container.json: a widget container (its red hint text for a second, then three texts of
#   3 s each and a 5 s video made here with ffmpeg into /tmp/dorvo-demo). Screenshots
#   build/demo/container-1.png to container-4.png (the three texts and the video).
# With a display ($DISPLAY set) each program shows in a window (15 s and 20 s); without one they run
# under Xvfb and write the screenshots.
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
containerProgram="$here/examples/container.json"
if [ ! -x "$player" ]; then
  echo "demo.sh: $player was not built" >&2
  exit 1
fi

# The container's video member plays this file.
mkdir -p /tmp/dorvo-demo
ffmpeg -loglevel error -y -f lavfi -i testsrc=size=640x360:rate=25:duration=5 -pix_fmt yuv420p \
  /tmp/dorvo-demo/container-video.mp4

export QSG_RENDER_LOOP=basic

if [ -n "${DISPLAY:-}" ]; then
  echo "demo.sh: showing $program for 15 s (the callbacks appear below as JSON lines)"
  "$player" "$@" --duration 15000 "$program"
  echo "demo.sh: showing $containerProgram for 20 s"
  "$player" "$@" --duration 20000 "$containerProgram"
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
  echo "demo.sh: running $containerProgram under Xvfb"
  for i in 1 2 3 4; do
    rm -f "$here/build/demo/container-$i.png"
  done
  # One text every 3 s from about 1.3 s on, then the video.
  output="$(xvfb-run -a -s "-screen 0 1920x1080x24" \
    "$player" --embed "$@" --screenshot "$here/build/demo/container-1.png" --at 2800 \
    --screenshot "$here/build/demo/container-2.png" --at 5800 \
    --screenshot "$here/build/demo/container-3.png" --at 8800 \
    --screenshot "$here/build/demo/container-4.png" --at 12500 "$containerProgram")"
  printf '%s\n' "$output" | sed -n 's/^{"screenshot":"\(.*\)"}$/\1/p' | while read -r png; do
    echo "demo.sh: screenshot written: $png"
  done
fi
