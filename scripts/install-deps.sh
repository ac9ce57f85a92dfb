#!/usr/bin/env bash
# Installs every Debian package needed to build, run, test and benchmark the
# library. Does nothing (in a second or two) when all of them are present.
set -euo pipefail

PACKAGES=(
  # toolchain
  build-essential cmake ninja-build ccache pkg-config clang-format
  # Qt 5.15
  qtbase5-dev qtbase5-dev-tools qtdeclarative5-dev qtdeclarative5-dev-tools
  qtquickcontrols2-5-dev libqt5svg5-dev libqt5x11extras5-dev qt5-image-formats-plugins
  qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qtquick-controls2
  qml-module-qtquick-layouts qml-module-qtquick-shapes qml-module-qtgraphicaleffects
  qml-module-qttest
  # libraries
  libspdlog-dev libfmt-dev nlohmann-json3-dev libmpv-dev libx11-dev
  libbackward-cpp-dev libdw-dev
  # tests, fuzzing and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  # headless rendering and input
  xvfb xauth x11-utils xdotool libgl1-mesa-dri libegl-mesa0
  # test media and fonts
  ffmpeg fonts-dejavu-core fonts-wqy-microhei
  # time zones (clocks of other zones follow their daylight-saving rules)
  tzdata
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
