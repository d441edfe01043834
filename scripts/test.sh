#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs every test: once in the debug
# build, once under AddressSanitizer and UndefinedBehaviorSanitizer, then the core and the
# Windows platform layer cross-built with mingw-w64 and run under Wine; last the Debian
# package, built, checked, installed, started and removed again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
for preset in debug asan-ubsan; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" -j2
done
echo "== windows"
bash scripts/test-windows.sh
echo "== package"
bash scripts/test-package.sh
