#!/usr/bin/env bash
# Installs what is missing, builds, and runs the demo host (build/tools/preview-player) on the example
# programs, one after the other:
# - examples/text.json: a 1920x1080 canvas at 50 % with a paged text with an effect, a left and an up
#   marquee and a static CJK text;
# - examples/colortext.json: colourful texts (gradients, stroke, blinking, one by one, marquees);
# - examples/container.json: a widget container (its red hint text for a second, then three texts of
#   3 s each and a 5 s video);
# - examples/clocks.json: analogue clocks of four zones, two digital clocks, a countdown and a count-up;
# - examples/calendar.json: two day calendars (with and without the lunar date) and the fixed analogue
#   clock with English AM/PM;
# - examples/pictures.json: a JPEG entering with a fade, as a left marquee and fitted, an animated GIF,
#   an SVG drawing and the web, RSS, stream and HDMI placeholders;
# - examples/tables.json: a timetable paged every 3 s under a merged header, a scrolling score table, the
#   default table and real-time sensor rows ("--" while no sensor is attached) paged every 3 s;
# - examples/media.json: a looping video, a text with background music and a colourful text given as
#   a widget record;
# - examples/weather.json: weather lines, a weather ticker, two base weather panels and a senior panel fed
#   by the local weather service (build/tools/weather-service on 127.0.0.1, DORVO_WEATHER_URL pointing at it;
#   stopped at the end);
# - examples/imagegroup.json: picture groups (pages of 2, 3 and 1 s, scrolling under a header,
#   static) and pictures with each border style running clockwise and anticlockwise.
# The video and pictures these play are made here with ffmpeg into /tmp/dorvo_preview-demo.
# With a display ($DISPLAY set) each program shows in a window; without one they run under Xvfb and
# write screenshots build/demo/<program>-<n>.png at the times listed below.
# Extra arguments go to preview-player (for example --embed or --verbose).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

bash scripts/install-deps.sh

export CCACHE_DIR="${CCACHE_DIR:-$here/.ccache}"
export CCACHE_BASEDIR="$here"
# The library's objects use a precompiled header, which ccache caches only with these.
export CCACHE_SLOPPINESS=pch_defines,time_macros
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build

player="$here/build/tools/preview-player"
if [ ! -x "$player" ]; then
  echo "demo.sh: $player was not built" >&2
  exit 1
fi

# The media the examples play.
media=/tmp/dorvo_preview-demo
bash "$here/scripts/demo-media.sh" "$media"

export QSG_RENDER_LOOP=basic

# The local weather service with a scripted day, for examples/weather.json.
weather_script="$media/weather-script.json"
cat >"$weather_script" <<'JSON'
{"json": {"message": "ok", "weather": {"weather": "Partly cloudy", "temp": 18.6, "tempMin": 11, "tempMax": 22,
 "humidity": 56, "windDirection": "NE", "wind": "3", "windSpeed": "14", "code": "101"}}}
JSON
exec 3< <("$here/build/tools/weather-service" --port 0 --script "$weather_script" --log "$media/weather-requests.log")
weather_pid=$!
trap 'kill "$weather_pid" 2>/dev/null || true' EXIT
read -r weather_port <&3
export DORVO_WEATHER_URL="http://127.0.0.1:$weather_port"
echo "demo.sh: local weather service at $DORVO_WEATHER_URL"

# Each program with the moments (ms) of its screenshots.
programs=(
  "text 2000 5500"
  "colortext 2000 5500"
  "container 2800 5800 8800 12500"
  "clocks 2000 4000"
  "pictures 2000 5500"
  "calendar 2000 4000"
  "tables 2000 5500"
  "media 2000 5500"
  "weather 2000 5500"
  "imagegroup 2500 5500"
)

for entry in "${programs[@]}"; do
  read -r name times <<<"$entry"
  program="$here/examples/$name.json"
  [ -f "$program" ] || continue
  last="${times##* }"
  if [ -n "${DISPLAY:-}" ]; then
    echo "demo.sh: showing $program (the callbacks appear below as JSON lines)"
    "$player" "$@" --duration $((last + 3000)) "$program"
    continue
  fi
  echo "demo.sh: no DISPLAY; running $program under Xvfb and taking screenshots"
  mkdir -p "$here/build/demo"
  shots=()
  n=1
  for at in $times; do
    shot="$here/build/demo/$name-$n.png"
    rm -f "$shot"
    shots+=(--screenshot "$shot" --at "$at")
    n=$((n + 1))
  done
  output="$(QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s "-screen 0 1920x1080x24" \
    "$player" --embed "$@" "${shots[@]}" "$program")"
  printf '%s\n' "$output"
  # The screenshot lines name the PNG files written.
  printf '%s\n' "$output" | sed -n 's/^{"screenshot":"\(.*\)"}$/\1/p' | while read -r png; do
    echo "demo.sh: screenshot written: $png"
  done
done
