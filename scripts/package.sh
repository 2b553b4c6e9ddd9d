#!/usr/bin/env bash
# Makes the Debian package: configures a Release build in build-release/ (or $BUILD_DIR)
# with Debian's hardening flags, builds it, runs the whole test suite on it and writes
# build-release/dravick-tool_<version>_amd64.deb with CPack. The benchmarks are left out
# unless CMAKE_ARGS asks for them.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build-release}"

# dpkg-buildflags gives the flags Debian builds its packages with (stack protector,
# fortified calls, read-only relocations, immediate binding); CMake takes CXXFLAGS and
# LDFLAGS from the environment when it configures. Their -O2 stands (Release would add
# -O3, where GCC 12 warns falsely about vector inserts). The debug info is left out: the
# package's programs are stripped anyway.
if [ ! -f "$build_dir/build.ninja" ]; then
  eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
  CXXFLAGS="$CPPFLAGS ${CXXFLAGS//-g /}"
  export CXXFLAGS LDFLAGS
fi
step() {
  local started=$SECONDS label=$1
  shift
  "$@"
  echo "-- $label took $((SECONDS - started)) s"
}
step "setup and release build" env BUILD_DIR="$build_dir" BUILD_TYPE=Release \
  CMAKE_ARGS="-DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG -DDRAVICK_BENCH=OFF ${CMAKE_ARGS:-}" \
  bash scripts/setup.sh
step "tests" env BUILD_DIR="$build_dir" bash scripts/test.sh
rm -f "$build_dir"/dravick-tool_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
package=$(ls "$build_dir"/dravick-tool_*.deb)
echo "Package: $package ($(stat -c %s "$package") bytes)"
