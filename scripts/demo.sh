#!/usr/bin/env bash
# Installs what is missing, builds, and runs the demo host on the example
# program. The demo host arrives with the preview window.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
bash scripts/install-deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$here/.ccache}"
export CCACHE_BASEDIR="$here"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
if [ ! -x build/tools/preview-player ]; then
  echo "demo.sh: the demo host (tools/preview-player) is not there yet; the library is built at build/libdorvo_preview.so"
  exit 0
fi
