#!/usr/bin/env bash
# Installs the built library into a prefix inside the build tree, then builds two hosts outside the
# source tree against the installed files only - a C11 host with pkg-config and a CMake host with
# find_package(DorvoPreview) - and runs each: it must start the engine, show a text widget, write
# the widget's picture and quit with exit code 0. Without a display the hosts run under xvfb-run.
# usage: install_test.sh BUILD_DIR VERSION
set -euo pipefail

build="$1"
version="$2"
# In sanitizer builds the hosts are built with the library's sanitizer (DORVO_HOST_FLAGS), or the test
# is skipped (DORVO_HOST_SKIP).
if [ -n "${DORVO_HOST_SKIP:-}" ]; then
  echo "install_test: skipped in this build"
  exit 77
fi
host_flags="${DORVO_HOST_FLAGS:-}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
prefix="$build/install-test/prefix"
work="$(mktemp -d "${TMPDIR:-/tmp}/dorvo-install-test-XXXXXX")"
trap 'status=$?; if [ $status -eq 0 ]; then rm -rf "$work"; else echo "kept $work" >&2; fi' EXIT

fail() {
  echo "install_test: $*" >&2
  exit 1
}

rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log" >&2; fail "install failed"; }

# The layout: the library with its version links, the headers, the package files, the tool, the docs.
for f in include/dorvo_preview.h include/dorvo_preview/dorvo_records.h include/dorvo_preview/bitconverter.h \
  bin/preview-player share/doc/dorvo_preview/README.md; do
  [ -f "$prefix/$f" ] || fail "$f not installed"
done
lib="$(dirname "$(find "$prefix" -name "libdorvo_preview.so.$version" | head -n 1)")"
[ -f "$lib/libdorvo_preview.so.$version" ] || fail "libdorvo_preview.so.$version not installed"
[ "$(readlink "$lib/libdorvo_preview.so.1")" = "libdorvo_preview.so.$version" ] || fail "no SONAME link"
[ "$(readlink "$lib/libdorvo_preview.so")" = "libdorvo_preview.so.1" ] || fail "no development link"
[[ "$(objdump -p "$lib/libdorvo_preview.so.$version")" =~ SONAME\ +libdorvo_preview\.so\.1 ]] || fail "wrong SONAME"
[ -f "$lib/cmake/DorvoPreview/DorvoPreviewConfig.cmake" ] || fail "no CMake package"
[ -f "$lib/pkgconfig/dorvo_preview.pc" ] || fail "no pkg-config file"
# (The prefix itself lies in the build tree here; any other path of the build or source tree is wrong.)
if cat "$lib"/pkgconfig/* "$lib"/cmake/DorvoPreview/* | sed "s|$prefix||g" | grep -q "$(cd "$here/../.." && pwd)"; then
  fail "package files name the build or source tree"
fi

export PKG_CONFIG_PATH="$lib/pkgconfig"
[ "$(pkg-config --modversion dorvo_preview)" = "$version" ] || fail "pkg-config version is not $version"

# The C header alone, strict C11, no Qt anywhere on the command line.
cp "$here/host.c" "$work/host.c"
# shellcheck disable=SC2046,SC2086
cc -std=c11 -Wall -Wextra -pedantic -Werror $host_flags "$work/host.c" -o "$work/c_host" \
  $(pkg-config --cflags --libs dorvo_preview) -Wl,-rpath,"$(pkg-config --variable=libdir dorvo_preview)" ||
  fail "C11 host did not build"

# The records' C++ headers, with the libraries they name.
printf '#include <dorvo_preview.h>\n#include <dorvo_preview/dorvo_records.h>\n#include <dorvo_preview/bitconverter.h>\n' \
  >"$work/records.cpp"
# shellcheck disable=SC2046
c++ -std=c++17 -fPIC -fsyntax-only "$work/records.cpp" $(pkg-config --cflags dorvo_preview Qt5Core nlohmann_json) ||
  fail "the records' headers do not compile"

mkdir -p "$work/cmake_host"
cp "$here/host.c" "$work/cmake_host/host.c"
cp "$here/HostCMakeLists.txt" "$work/cmake_host/CMakeLists.txt"
cmake -S "$work/cmake_host" -B "$work/cmake_host/build" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_C_FLAGS="$host_flags" >"$work/cmake_host.log" 2>&1 &&
  cmake --build "$work/cmake_host/build" >>"$work/cmake_host.log" 2>&1 || {
  cat "$work/cmake_host.log" >&2
  fail "CMake host did not build"
}

run_host() {
  local name="$1" exe="$2"
  local picture="$work/$name.png"
  local -a wrap=()
  if [ -z "${DISPLAY:-}" ]; then wrap=(xvfb-run -a -s "-screen 0 1280x800x24"); fi
  local status=0
  QT_QPA_PLATFORM=xcb timeout 120 "${wrap[@]}" "$exe" "$work/run-$name" "$picture" >"$work/$name.out" 2>"$work/$name.err" ||
    status=$?
  if [ "$status" -ne 0 ]; then
    tail -n 30 "$work/$name.err" >&2
    fail "$name exited with $status"
  fi
  [ "$(head -n 1 "$work/$name.out")" = "$version" ] || fail "$name: dorvo_preview_version() is not $version"
  [ "$(head -c 4 "$picture" | tail -c 3)" = "PNG" ] || fail "$name: $picture is not a PNG"
  echo "install_test: $name ran, showed its text and quit"
}

run_host c_host "$work/c_host"
run_host cmake_host "$work/cmake_host/build/cmake_host"

# The installed replay tool loads the installed library and plays an example.
[[ "$("$prefix/bin/preview-player" --help)" == *"default: $lib/libdorvo_preview.so.1"* ]] ||
  fail "preview-player does not default to the installed library"
wrap=()
if [ -z "${DISPLAY:-}" ]; then wrap=(xvfb-run -a -s "-screen 0 1280x800x24"); fi
QT_QPA_PLATFORM=xcb timeout 120 "${wrap[@]}" "$prefix/bin/preview-player" --running-path "$work/run-player" \
  --duration 300 "$here/../../examples/window.json" >"$work/player.out" 2>"$work/player.err" || {
  tail -n 30 "$work/player.err" >&2
  fail "the installed preview-player failed"
}
echo "install_test: the installed preview-player played examples/window.json"
