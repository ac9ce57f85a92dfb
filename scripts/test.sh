#!/usr/bin/env bash
# Installs what is missing, builds into build/ and runs the whole test suite
# headless under Xvfb. Extra arguments go to cmake (for example
# -DDORVO_SANITIZE=ON with BUILD_DIR=build-asan).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

bash scripts/install-deps.sh

# Every C++ source must be formatted.
unformatted=$(git ls-files -- '*.cpp' '*.h' 2>/dev/null | xargs -r clang-format --dry-run 2>&1 | grep -c 'warning:' || true)
if [ "${unformatted:-0}" != "0" ]; then
  echo "test.sh: these files are not formatted (run clang-format -i on them):"
  git ls-files -- '*.cpp' '*.h' | xargs -r clang-format --dry-run 2>&1 | grep 'warning:' | cut -d: -f1 | sort -u
  exit 1
fi

export CCACHE_DIR="${CCACHE_DIR:-$here/.ccache}"
export CCACHE_BASEDIR="$here"
# The library's objects use a precompiled header, which ccache caches only with these.
export CCACHE_SLOPPINESS=pch_defines,time_macros
export CCACHE_COMPILERCHECK=content
build="${BUILD_DIR:-build}"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build"

export QSG_RENDER_LOOP=basic
export QT_QPA_PLATFORM=xcb
export LIBGL_ALWAYS_SOFTWARE=1
cd "$build"
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --output-on-failure -j2 --timeout 600
