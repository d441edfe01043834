#!/usr/bin/env bash
# clocksy --dry-run against a scripted time server on the loopback interface: the offset it
# measures, and each faulty answer refused with its own reason and a failing exit status.
#   clocksy_fake_server.sh CLOCKSY PYTHON [RUNNER...]
# With a runner (cmake/wine-run.sh and its prefix) the Windows program runs under Wine.
set -euo pipefail
CLOCKSY=$1
PYTHON=$2
shift 2
RUNNER=("$@")
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d)
SERVER_PID=
cleanup() {
    [ -z "$SERVER_PID" ] || kill "$SERVER_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts the scripted server in the mode $1; sets PORT.
start_server() {
    [ -z "$SERVER_PID" ] || kill "$SERVER_PID" 2>/dev/null || true
    rm -f "$WORK/port"
    "$PYTHON" "$HERE/fake_ntp_server.py" "$1" "$WORK/port" &
    SERVER_PID=$!
    for _ in $(seq 50); do
        [ -s "$WORK/port" ] && break
        sleep 0.1
    done
    PORT=$(cat "$WORK/port") || fail "the scripted server did not start"
}

# Runs clocksy against the server; sets STATUS, OUT, ERR.
run_clocksy() {
    STATUS=0
    "${RUNNER[@]}" "$CLOCKSY" "$@" >"$WORK/out" 2>"$WORK/err" || STATUS=$?
    OUT=$(tr -d '\r' <"$WORK/out")
    ERR=$(tr -d '\r' <"$WORK/err")
}

# The measured offset is +3600.25 s within a millisecond plus half the round trip: a reply
# held up on one leg only (a loaded machine) moves the estimate by up to half the delay.
check_measured() {
    [ "$STATUS" -eq 0 ] || fail "status $STATUS: $ERR"
    [[ "$OUT" =~ ^offset=\+([0-9]+\.[0-9]{6})\ delay=([0-9]+\.[0-9]{6})\ server=127\.0\.0\.1:$PORT$ ]] ||
        fail "unexpected line: $OUT"
    awk -v o="${BASH_REMATCH[1]}" -v r="${BASH_REMATCH[2]}" \
        'BEGIN { d = o - 3600.25; m = 0.001 + r / 2; exit !(d < m && d > -m) }' ||
        fail "offset ${BASH_REMATCH[1]} is not within 1 ms and half the delay ${BASH_REMATCH[2]} of 3600.25"
    [ -z "$ERR" ] || fail "unexpected error text: $ERR"
    echo "good: $OUT"
}
start_server good
run_clocksy --dry-run "127.0.0.1:$PORT" no
check_measured
# Windows' form: one text, the words in another order.
run_clocksy "127.0.0.1:$PORT no --dry-run "
check_measured
# By name: "localhost" from the hosts file; the server listens on IPv4 alone, and is reached
# also where the name's IPv6 address comes first.
if [ ${#RUNNER[@]} -eq 0 ]; then
    run_clocksy --dry-run "localhost:$PORT" no
    check_measured
fi

# Each fault with its own reason.
check_refused() {
    local mode=$1 reason=$2
    start_server "$mode"
    local started=$SECONDS
    run_clocksy --dry-run "127.0.0.1:$PORT" no
    [ "$STATUS" -ne 0 ] || fail "$mode: accepted: $OUT"
    [ -z "$OUT" ] || fail "$mode: printed a measurement: $OUT"
    grep -qF -- "$reason" <<<"$ERR" || fail "$mode: expected «$reason», got: $ERR"
    echo "$mode ($((SECONDS - started)) s): $ERR"
}
check_refused spoofed "не относится к нашему запросу"
check_refused rate "(код RATE)"
check_refused deny "(код DENY)"
check_refused li3 "не синхронизированы"
check_refused zero-transmit "нет времени отправки"
check_refused truncated "усечён: 40 байт"
check_refused silent "не отвечает: нет ответа на 2 запроса по 2 с"

# A closed port, a command line that cannot be understood. (No name is looked up that
# would ask a name server off this machine.)
kill "$SERVER_PID" 2>/dev/null || true
wait "$SERVER_PID" 2>/dev/null || true
SERVER_PID=
run_clocksy --dry-run "127.0.0.1:$PORT" no
# Wine does not pass on the system's notice of a closed port: there it is silence.
closed="Сервер отверг запрос"
[ ${#RUNNER[@]} -eq 0 ] || closed="не отвечает"
if [ "$STATUS" -ne 1 ] || ! grep -qF "$closed" <<<"$ERR"; then fail "closed port: $STATUS $ERR"; fi
run_clocksy "127.0.0.1:$PORT"
if [ "$STATUS" -ne 2 ] || ! grep -qF "yes или no" <<<"$ERR"; then fail "missing mode: $STATUS $ERR"; fi
echo "PASS"
