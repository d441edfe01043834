#!/usr/bin/env bash
# Clock rate bench: builds the bench (bench preset), reads the rate the kernel calibrated for
# the time-stamp counter from its log ("tsc: Refined TSC clocksource calibration: N MHz",
# else "tsc: Detected N MHz processor"), then measures the rate five times as the "Система"
# page does (half a second each) and prints both with the difference in per cent, as a
# Markdown table (also written to build/bench-cpu-rate/results.md). Exit status 1 when a
# measurement is more than 2 % off. Reading the kernel's log may need the superuser.
#
#   bash bench/cpu_rate/run.sh
set -euo pipefail
cd "$(dirname "$0")/../.."

{
    bash scripts/deps.sh
    cmake --preset bench >/dev/null
    cmake --build --preset bench --target domora_cpu_rate_bench -j2
} >&2

log=$(dmesg 2>/dev/null || journalctl -k -b --no-pager 2>/dev/null || true)
kernel=$(sed -n 's/.*tsc: Refined TSC clocksource calibration: \([0-9.]*\) MHz.*/\1/p' <<<"$log" | tail -n 1)
source="refined calibration"
if [ -z "$kernel" ]; then
    kernel=$(sed -n 's/.*tsc: Detected \([0-9.]*\) MHz processor.*/\1/p' <<<"$log" | tail -n 1)
    source="detected at boot"
fi
if [ -z "$kernel" ]; then
    echo "The kernel's log names no rate of the time-stamp counter (is dmesg allowed?)." >&2
    exit 2
fi

out=build/bench-cpu-rate
mkdir -p "$out"
# The bench's exit status is the script's (pipefail).
{
    echo "Kernel's rate of the time-stamp counter: $kernel MHz ($source)"
    echo
    build/bench/bench/cpu_rate/domora_cpu_rate_bench "$kernel"
} | tee "$out/results.md"
