#!/usr/bin/env bash
# Installs what is missing, builds, and runs the demo host (build/tools/preview-player) on the example
# programs examples/text.json (a 1920x1080 canvas at 50 % with a paged text with an effect, a left and an
# up marquee and a static CJK text) and examples/pictures.json (a JPEG entering with a fade, as a left
# marquee and fitted, an animated GIF, an SVG drawing and the web, RSS, stream and HDMI placeholders; the
# JPEG and the GIF are made here with ffmpeg into /tmp/dorvo_preview-demo, the SVG is examples/media).
# With a display ($DISPLAY set) each preview shows in a window for 15 seconds; without one they run under
# Xvfb and write screenshots to build/demo/text-1.png (first page), build/demo/text-2.png (second page,
# marquees moved on), build/demo/pictures-1.png and build/demo/pictures-2.png.
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
if [ ! -x "$player" ]; then
  echo "demo.sh: $player was not built" >&2
  exit 1
fi

# The sample pictures of examples/pictures.json.
media=/tmp/dorvo_preview-demo
mkdir -p "$media"
ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "testsrc2=size=1920x1080" -frames:v 1 "$media/photo.jpg"
ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "testsrc2=size=320x240:rate=10" -t 3 -loop 0 \
  "$media/animation.gif"
cp "$here/examples/media/drawing.svg" "$media/drawing.svg"

export QSG_RENDER_LOOP=basic

for name in text pictures; do
  program="$here/examples/$name.json"
  if [ -n "${DISPLAY:-}" ]; then
    echo "demo.sh: showing $program for 15 s (the callbacks appear below as JSON lines)"
    "$player" "$@" --duration 15000 "$program"
  else
    shot="$here/build/demo/$name-1.png"
    shot2="$here/build/demo/$name-2.png"
    mkdir -p "$(dirname "$shot")"
    rm -f "$shot" "$shot2"
    echo "demo.sh: no DISPLAY; running $program under Xvfb and taking screenshots"
    output="$(QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s "-screen 0 1920x1080x24" \
      "$player" --embed "$@" --screenshot "$shot" --at 2000 --screenshot "$shot2" --at 5500 "$program")"
    printf '%s\n' "$output"
    # The screenshot lines name the PNG files written.
    printf '%s\n' "$output" | sed -n 's/^{"screenshot":"\(.*\)"}$/\1/p' | while read -r png; do
      echo "demo.sh: screenshot written: $png"
    done
  fi
done
