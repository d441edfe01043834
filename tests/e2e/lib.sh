# shellcheck shell=bash
# Shared set-up of the end-to-end tests: a temporary home, an X server of its own, and
# clean-up of every process started, also when a test fails.
set -euo pipefail

DOMORA_BIN=$1
TEST_DATA=$2
WORK=$(mktemp -d)
export HOME=$WORK/home
export XDG_CONFIG_HOME=$WORK/config
export XDG_DATA_HOME=$WORK/data
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export DOMORA_HOME=$WORK/app
mkdir -p "$DOMORA_HOME"
cp -r "$(dirname "$DOMORA_BIN")/Data" "$DOMORA_HOME/"
export QT_QPA_PLATFORM=xcb
export LC_ALL=C.UTF-8
unset SESSION_MANAGER
REGISTRY=$XDG_CONFIG_HOME/domora/registry.reg

PIDS=()
cleanup() {
    for pid in "${PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    sleep 0.3
    for pid in "${PIDS[@]}"; do
        kill -9 "$pid" 2>/dev/null || true
    done
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts an X server of its own, of the size in $1 (default 1024x768).
start_x() {
    # Two servers started at the same moment by other tests can race for a display number;
    # the loser exits, and is started again.
    local attempt number
    for attempt in 1 2 3; do
        exec {displayfd}<> <(:)
        Xvfb -displayfd "$displayfd" -screen 0 "${1:-1024x768}x24" -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
        local pid=$!
        PIDS+=("$pid")
        number=""
        for _ in $(seq 50); do
            read -r -t 0.2 -u "$displayfd" number && break
            kill -0 "$pid" 2>/dev/null || break
        done
        exec {displayfd}>&-
        if [ -n "$number" ]; then
            export DISPLAY=:$number
            return 0
        fi
        sleep 0.$attempt
    done
    fail "Xvfb did not start: $(tail -n 3 "$WORK/xvfb.log")"
}

# Starts the tray host at the edge in $1 (default bottom), at the right.
start_tray() {
    trayer --edge "${1:-bottom}" --align right --widthtype pixel --width 120 --height 24 >"$WORK/trayer.log" 2>&1 &
    PIDS+=($!)
    sleep 0.5
}

# Waits up to $2 seconds (default 10) for the command in $1 to succeed.
wait_for() {
    local limit=${2:-10}
    for _ in $(seq $((limit * 10))); do
        if eval "$1"; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Starts the program in $2 in the background with the wall clock moved to the UTC time in $1,
# for it and every process it starts. The clock library is preloaded with a fixed offset:
# the wrapper program keeps a named semaphore per process id in /dev/shm, which outlives a
# killed run and makes a later run with the same id fail.
start_at() {
    local library
    library=$(find /usr/lib -name libfaketime.so.1 -path '*faketime/*' -print -quit)
    [ -n "$library" ] || fail "the clock library libfaketime.so.1 is not installed"
    local offset=$(($(date -u -d "$1" +%s) - $(date -u +%s)))
    shift
    LD_PRELOAD=$library FAKETIME="$(printf '%+d' "$offset")" FAKETIME_DONT_FAKE_MONOTONIC=1 "$@" &
    PIDS+=($!)
}

# put_text FILE OFFSET CAPACITY TEXT: a length-prefixed field of CAPACITY bytes in code page
# 1251, zeros after the text.
put_text() {
    local file=$1 offset=$2 capacity=$3
    printf '%s' "$4" | iconv -f UTF-8 -t CP1251 >"$WORK/field"
    local length
    length=$(stat -c %s "$WORK/field")
    [ "$length" -le "$capacity" ] || fail "the text does not fit its field: $4"
    {
        byte "$length"
        cat "$WORK/field"
        head -c $((capacity - length)) /dev/zero
    } | dd of="$file" bs=1 seek="$offset" conv=notrunc status=none
}

# byte VALUE: the byte of that value (0..255) on standard output.
byte() {
    printf '%b' "\\0$(printf '%03o' "$1")"
}

# put_byte FILE OFFSET VALUE: one byte.
put_byte() {
    byte "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# A settings file with the first-run values, so that no thank-you message appears;
# $1 is the start mode value to turn on (StartHow1 window, StartHow2 tray, StartHow3 minimised).
seed_registry() {
    mkdir -p "$(dirname "$REGISTRY")"
    sed -e 's/"StartHow2"=dword:00000001/"StartHow2"=dword:00000000/' \
        -e "s/\"$1\"=dword:00000000/\"$1\"=dword:00000001/" \
        "$TEST_DATA/registry-defaults.reg" >"$REGISTRY"
}
