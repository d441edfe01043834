#!/usr/bin/env bash
# Footprint bench: builds domora (release preset), the bare Qt program and the probe, then
# measures both programs side by side (footprint.py). Results: build/footprint/results.md.
#
#   bash bench/footprint/run.sh [--quick] [--runs N] [--rounds N] [--phase SECONDS]
#
# --quick: 5 s phases, 3 first-paint starts, one round (about two minutes, for trying it
# out); by default 60 s phases, 10 first-paint starts and two rounds (about 15 minutes).
set -euo pipefail
cd "$(dirname "$0")/../.."

# What building and running domora needs, then what the bench adds; the build's output goes
# to stderr, so that stdout holds the table alone.
{
    bash scripts/deps.sh
    bash scripts/deps.sh libx11-dev libxdamage-dev xvfb trayer xdotool x11-utils fonts-liberation2 python3
    cmake --preset release >/dev/null
    cmake --build --preset release
    cmake -S bench/footprint -B build/footprint -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build/footprint
} >&2

domora=$(find build/release -type f -name domora -perm -u+x -not -path "*/CMakeFiles/*" | head -n 1)
[ -n "$domora" ] || {
    echo "footprint: no domora executable under build/release" >&2
    exit 1
}

exec python3 bench/footprint/footprint.py \
    --bare build/footprint/bare/footprint-bare \
    --domora "$domora" \
    --probe build/footprint/footprint-probe \
    --results build/footprint \
    --command "bash bench/footprint/run.sh${*:+ $*}" \
    "$@"
