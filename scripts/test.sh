#!/usr/bin/env bash
# Installs the dependencies, checks the form of the sources, builds everything and runs
# every test: once in the debug build, once under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer, then the core and the Windows platform layer cross-built with
# mingw-w64 and run under Wine, then every fuzz target for 30 s (two at a time) from its
# seeds; last the Debian package, built, checked, installed, started and removed again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
echo "== lint"
bash scripts/lint.sh
for preset in debug asan-ubsan; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" -j2
done
echo "== windows"
bash scripts/test-windows.sh
echo "== fuzz"
bash scripts/fuzz.sh 30
echo "== package"
bash scripts/test-package.sh
