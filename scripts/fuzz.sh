#!/usr/bin/env bash
# Fuzzes the JPEG preview decoder (tests/fuzz/) with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, for 60 s unless told otherwise. Installs clang and its libFuzzer
# runtime when missing, builds build/fuzz with clang, makes a seed corpus of small JPEG files
# (a few hundred bytes each: baseline, progressive, grayscale, CMYK, 4:4:4, restart markers)
# and runs. The corpus grows in build/fuzz/corpus; a crashing input is kept in
# build/fuzz/artifacts/ and the script exits non-zero.
#
#   bash scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

{
    bash scripts/deps.sh cmake ninja-build clang libclang-rt-14-dev libjpeg62-turbo-dev imagemagick
    CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DDOMORA_FUZZ=ON -DDOMORA_BUILD_UI=OFF -DDOMORA_BUILD_TESTS=OFF -DDOMORA_WERROR=ON >/dev/null
    cmake --build build/fuzz --target domora_jpeg_fuzz -j2
} >&2

seeds=build/fuzz/seeds
corpus=build/fuzz/corpus
artifacts=build/fuzz/artifacts
mkdir -p "$seeds" "$corpus" "$artifacts"
if [ -z "$(ls -A "$seeds")" ]; then
    picture=(-size 24x16 gradient:'#204080-#e0a040' -attenuate 0.5 +noise Gaussian)
    convert "${picture[@]}" -quality 75 "$seeds/baseline.jpg"
    convert "${picture[@]}" -quality 75 -interlace Plane "$seeds/progressive.jpg"
    convert "${picture[@]}" -quality 75 -colorspace Gray "$seeds/gray.jpg"
    convert "${picture[@]}" -quality 75 -colorspace CMYK "$seeds/cmyk.jpg"
    convert "${picture[@]}" -quality 90 -sampling-factor 1x1 "$seeds/444.jpg"
    convert "${picture[@]}" -quality 75 -define jpeg:restart-interval=1 "$seeds/restart.jpg"
    convert -size 9x7 xc:'#c08040' -quality 50 "$seeds/odd.jpg"
fi
ls -l "$seeds" >&2

fuzzer=build/fuzz/tests/fuzz/domora_jpeg_fuzz
exec "$fuzzer" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$artifacts/" -print_final_stats=1 "$corpus" "$seeds"
