#!/usr/bin/env bash
# Builds the core and the Win32 platform layer for Windows with mingw-w64 and runs their
# tests under Wine, in build/windows. Installs the cross compiler and Wine when they are
# missing (Debian 12, as root) and makes the ru_RU.UTF-8 locale that Wine needs for the
# code page 1251.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh cmake ninja-build mingw-w64 g++-mingw-w64-x86-64-posix wine wine64 locales libgtest-dev python3

if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    echo "Generating the ru_RU.UTF-8 locale"
    sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' >>/etc/locale.gen
    locale-gen >/dev/null
fi

build=build/windows
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DDOMORA_BUILD_UI=OFF -DDOMORA_WERROR=ON >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure --timeout 300
