#!/usr/bin/env bash
# Makes the media the example programs play (examples/*.json name them under /tmp/dorvo_preview-demo) in
# the folder given (default /tmp/dorvo_preview-demo), with ffmpeg. Files already there are kept.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
media="${1:-/tmp/dorvo_preview-demo}"
mkdir -p "$media"

make() {
  local file="$1"
  shift
  [ -s "$media/$file" ] || ffmpeg -nostdin -hide_banner -loglevel error -y "$@" "$media/$file"
}

make container-video.mp4 -f lavfi -i testsrc=size=640x360:rate=25:duration=5 -pix_fmt yuv420p
make photo.jpg -f lavfi -i "testsrc2=size=1920x1080" -frames:v 1
make animation.gif -f lavfi -i "testsrc2=size=320x240:rate=10" -t 3 -loop 0
make music.mp3 -f lavfi -i "sine=frequency=440:duration=10"
for colour in red green; do
  make "group-$colour.png" -f lavfi -i "color=c=$colour:size=320x240" -frames:v 1
done
make group-header.png -f lavfi -i "color=c=white:size=560x60" -frames:v 1
if [ -f "$here/examples/media/drawing.svg" ]; then
  cp "$here/examples/media/drawing.svg" "$media/drawing.svg"
fi
