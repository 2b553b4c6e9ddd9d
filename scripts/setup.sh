#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need (quiet when all
# are there), then configures and builds into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libspng-dev zlib1g-dev libjpeg62-turbo-dev libgif-dev
  libfreetype-dev libfontconfig-dev libicu-dev
  libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-arphic-uming fonts-dejavu-core fontconfig
  fonts-lexi-gulim  # Hangul, which the stand-in face lacks: the Unicode set's default range
  xvfb xauth x11-utils xdotool imagemagick
  clang libclang-rt-14-dev
  librsvg2-bin                                        # renders the icon's PNGs
  man-db desktop-file-utils appstream dpkg-dev file   # checks and packs the installation
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

build_type="${BUILD_TYPE:-RelWithDebInfo}"
build_dir="${BUILD_DIR:-build}"
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" ${CMAKE_ARGS:-} >/dev/null
fi
cmake --build "$build_dir" -j"$(nproc)"
