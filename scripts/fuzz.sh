#!/usr/bin/env bash
# Runs the libFuzzer targets of tests/fuzz/ under AddressSanitizer and UndefinedBehaviorSanitizer,
# each for SECONDS (60 unless told), two at a time. Installs clang and its libFuzzer runtime
# when missing and builds the `fuzz` preset (build/fuzz) first.
#
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
#
# Targets (all by default): record_codec record_store registry cp1251 number_text server_list
# note_command jpeg. Each starts from its seeds (the reference files of tests/data, the
# hand-made inputs of tests/fuzz/seeds/<target>/, small JPEG files made here) and grows its
# corpus in build/fuzz/corpus/<target>/; an input that breaks a target is kept in
# build/fuzz/artifacts/<target>/ and its log in build/fuzz/logs/<target>.log. Prints the
# executions and the result of each target; exits non-zero when any target found anything.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
all=(record_codec record_store registry cp1251 number_text server_list note_command jpeg)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")
for target in "${targets[@]}"; do
    [[ " ${all[*]} " == *" $target "* ]] || { echo "unknown fuzz target: $target (known: ${all[*]})" >&2; exit 2; }
done

{
    bash scripts/deps.sh cmake ninja-build clang libclang-rt-14-dev libjpeg62-turbo-dev imagemagick qt6-base-dev
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz -j2
} >&2

root=build/fuzz
rm -rf "$root/seeds"
mkdir -p "$root/seeds" "$root/corpus" "$root/artifacts" "$root/logs"

# The seeds of one target, copied into one folder.
seed() {
    local target=$1
    shift
    mkdir -p "$root/seeds/$target"
    [ $# -eq 0 ] || cp "$@" "$root/seeds/$target/"
    if [ -d "tests/fuzz/seeds/$target" ]; then
        cp tests/fuzz/seeds/"$target"/* "$root/seeds/$target/"
    fi
}
records=(tests/data/*.DMR tests/data/broken/*.DMR)
seed record_codec "${records[@]}"
seed record_store "${records[@]}"
seed registry tests/data/registry-defaults.reg
seed cp1251 tests/data/Celeb.DMR resources/Data/IServers.DMR
seed number_text
seed server_list resources/Data/IServers.DMR
seed note_command
seed jpeg
jpegs=$root/seeds/jpeg
picture=(-size 24x16 gradient:'#204080-#e0a040' -attenuate 0.5 +noise Gaussian)
convert "${picture[@]}" -quality 75 "$jpegs/baseline.jpg"
convert "${picture[@]}" -quality 75 -interlace Plane "$jpegs/progressive.jpg"
convert "${picture[@]}" -quality 75 -colorspace Gray "$jpegs/gray.jpg"
convert "${picture[@]}" -quality 75 -colorspace CMYK "$jpegs/cmyk.jpg"
convert "${picture[@]}" -quality 90 -sampling-factor 1x1 "$jpegs/444.jpg"
convert "${picture[@]}" -quality 75 -define jpeg:restart-interval=1 "$jpegs/restart.jpg"
convert -size 9x7 xc:'#c08040' -quality 50 "$jpegs/odd.jpg"

run() {
    local target=$1
    local max_len=4096
    [ "$target" != jpeg ] || max_len=65536
    mkdir -p "$root/corpus/$target" "$root/artifacts/$target"
    "$root/tests/fuzz/domora_${target}_fuzz" -max_total_time="$seconds" -max_len=$max_len -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$root/artifacts/$target/" \
        "$root/corpus/$target" "$root/seeds/$target" >"$root/logs/$target.log" 2>&1
}

report() {
    local target=$1 status=$2
    local runs
    runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$root/logs/$target.log" | tail -1 | cut -d' ' -f2 || true)
    if [ "$status" -eq 0 ]; then
        printf '%-13s %10s executions  nothing found\n' "$target" "${runs:-?}"
    else
        printf '%-13s %10s executions  FOUND A FAULT (exit %s): see %s and %s\n' "$target" "${runs:-?}" \
            "$status" "$root/logs/$target.log" "$root/artifacts/$target/"
        grep -E 'property broken|ERROR: |SUMMARY: ' "$root/logs/$target.log" | head -5 | sed 's/^/    /' || true
    fi
}

# Two at a time: the machine's two cores.
failed=0
start=$SECONDS
for ((i = 0; i < ${#targets[@]}; i += 2)); do
    pids=()
    for target in "${targets[@]:i:2}"; do
        run "$target" &
        pids+=("$!")
    done
    for j in "${!pids[@]}"; do
        status=0
        wait "${pids[$j]}" || status=$?
        report "${targets[$((i + j))]}" "$status"
        [ "$status" -eq 0 ] || failed=1
    done
done
echo "fuzzing: ${#targets[@]} targets, ${seconds} s each, $((SECONDS - start)) s in all"
exit $failed
