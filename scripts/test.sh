#!/usr/bin/env bash
# Installs the dependencies, checks the form of the sources, builds everything and runs
# every test: in a debug build under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer, then the core and the Windows platform layer cross-built with
# mingw-w64 and run under Wine, then every fuzz target for 30 s (two at a time) from its
# seeds; last the Debian package, built, checked, installed, started and removed again.
# The plain `debug` preset runs the same tests without the sanitizers, for day-to-day
# work; here it would only repeat them and take CI past its time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
echo "== lint"
bash scripts/lint.sh
echo "== asan-ubsan"
cmake --preset asan-ubsan >/dev/null
cmake --build --preset asan-ubsan
ctest --preset asan-ubsan -j2
echo "== windows"
bash scripts/test-windows.sh
echo "== fuzz"
bash scripts/fuzz.sh 30
echo "== package"
bash scripts/test-package.sh
