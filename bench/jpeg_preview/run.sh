#!/usr/bin/env bash
# JPEG preview bench: makes a 24-megapixel photo-like JPEG (6000 x 4000, gradients and noise,
# quality 90) with ImageMagick once, builds the bench (bench preset), then times the picture
# dialog's preview decode for a 160 x 120 pane beside `djpeg -scale 1/8` and beside a full
# decode, and prints a Markdown table (also written to build/bench-jpeg/results.md).
#
#   bash bench/jpeg_preview/run.sh [ROUNDS]     # 15 rounds by default, about a minute
set -euo pipefail
cd "$(dirname "$0")/../.."
rounds=${1:-15}

{
    bash scripts/deps.sh
    bash scripts/deps.sh libjpeg-turbo-progs imagemagick
    cmake --preset bench >/dev/null
    cmake --build --preset bench --target domora_jpeg_preview_bench -j2
} >&2

out=build/bench-jpeg
picture=$out/photo-6000x4000.jpg
mkdir -p "$out"
if [ ! -s "$picture" ]; then
    echo "Making $picture" >&2
    convert -size 4000x6000 gradient:'#1a2a5a-#f0c878' -rotate 90 \
        \( -size 6000x4000 radial-gradient:'#ffffff-#202020' \) -compose overlay -composite \
        -seed 2003 -attenuate 0.4 +noise Gaussian -quality 90 -sampling-factor 2x2 "$picture"
fi

build/bench/bench/jpeg_preview/domora_jpeg_preview_bench "$picture" "$rounds" | tee "$out/results.md"
