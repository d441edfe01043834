#!/usr/bin/env bash
# Installs the dependencies, builds Domora Lite 2003 and starts it from the build tree.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec ./build/release/bin/domora
