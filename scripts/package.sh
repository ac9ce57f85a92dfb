#!/usr/bin/env bash
# Builds the library for /usr in build-deb/ and makes its Debian package with CPack:
# build-deb/dorvo-preview_<version>_<arch>.deb (library, headers, pkg-config file, CMake package,
# preview-player and documentation; runtime dependencies declared). Install it with
#   sudo apt install ./build-deb/dorvo-preview_*.deb
# Extra arguments go to the CMake configure step.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$here/build-deb"

export CCACHE_DIR="${CCACHE_DIR:-$here/.ccache}"
export CCACHE_BASEDIR="$here"
# The library's objects use a precompiled header, which ccache caches only with these.
export CCACHE_SLOPPINESS=pch_defines,time_macros
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DDORVO_BUILD_TESTS=OFF -DDORVO_BUILD_BENCH=OFF "$@"
cmake --build "$build"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/*.deb
