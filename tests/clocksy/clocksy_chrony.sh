#!/usr/bin/env bash
# clocksy --dry-run against chrony serving this machine's clock on the loopback interface:
# the offset is within a millisecond of zero. chronyd runs in the foreground with a
# configuration of its own, on a free port, never touching the clock (-x); as root it keeps
# root's rights (-u root), otherwise it is started without its check for root (-U).
set -euo pipefail
CLOCKSY=$1
PYTHON=${2:-python3}
CHRONYD=$(command -v chronyd || ls /usr/sbin/chronyd 2>/dev/null || true)
if [ -z "$CHRONYD" ]; then
    echo "SKIP: chronyd is not installed (package chrony; scripts/deps.sh installs it)"
    exit 77
fi
WORK=$(mktemp -d)
chmod 755 "$WORK"
CHRONY_PID=
cleanup() {
    [ -z "$CHRONY_PID" ] || kill "$CHRONY_PID" 2>/dev/null || true
    [ -z "$CHRONY_PID" ] || wait "$CHRONY_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [ ! -f "$WORK/chronyd.log" ] || sed 's/^/chronyd: /' "$WORK/chronyd.log" >&2
    exit 1
}

PORT=$("$PYTHON" -c 'import socket; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat >"$WORK/chrony.conf" <<CONF
port $PORT
bindaddress 127.0.0.1
allow 127.0.0.1
local stratum 8
cmdport 0
bindcmdaddress /
pidfile $WORK/chronyd.pid
driftfile $WORK/chrony.drift
CONF
if [ "$(id -u)" -eq 0 ]; then
    privileges=(-u root)
else
    privileges=(-U)
fi
"$CHRONYD" -d -x "${privileges[@]}" -f "$WORK/chrony.conf" >"$WORK/chronyd.log" 2>&1 &
CHRONY_PID=$!

# chronyd answers once it has bound its port: ask until it does.
for _ in $(seq 20); do
    kill -0 "$CHRONY_PID" 2>/dev/null || fail "chronyd ended at its start"
    STATUS=0
    OUT=$("$CLOCKSY" --dry-run "127.0.0.1:$PORT" no 2>"$WORK/err") || STATUS=$?
    [ "$STATUS" -eq 0 ] && break
    sleep 0.25
done
[ "$STATUS" -eq 0 ] || fail "clocksy against chronyd: status $STATUS: $(cat "$WORK/err")"
[[ "$OUT" =~ ^offset=([+-][0-9]+\.[0-9]{6})\ delay=([0-9]+\.[0-9]{6})\ server=127\.0\.0\.1:$PORT$ ]] ||
    fail "unexpected line: $OUT"
awk -v o="${BASH_REMATCH[1]}" 'BEGIN { exit !(o < 0.001 && o > -0.001) }' ||
    fail "offset ${BASH_REMATCH[1]} against chrony on this machine is not within 1 ms of 0"
echo "chrony: $OUT"
echo "PASS"
