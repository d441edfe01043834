#!/usr/bin/env bash
# Builds the Debian package domora_<version>_<arch>.deb into BUILD_DIR (default
# build/package): a release build without tests, with Debian's hardening flags, installed
# under /usr by CPack with the binaries stripped. Usage: scripts/build-package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/package}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# The hardening flags without the debug information, which stripping would throw away.
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS | sed -e 's/\(^\| \)-g\( \|$\)/ /')"
cmake -S . -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DDOMORA_BUILD_TESTS=OFF -DDOMORA_WERROR=ON \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DCMAKE_MODULE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j2
(cd "$build" && rm -f ./*.deb && cpack -G DEB >/dev/null)
ls "$build"/domora_*.deb
