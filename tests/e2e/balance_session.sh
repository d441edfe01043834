#!/usr/bin/env bash
# A session on a connection through a proxy, ended by SIGTERM: the program started with a
# proxy in its environment, an advance of 100 dollars and a price of 60 dollars an hour at
# any time of any day, left for about a minute and then terminated, has stored the advance
# less the cost of that minute, the session's duration and its cost.
source "$(dirname "$0")/lib.sh"
start_x
seed_registry StartHow2

# The day from 00:00 to 12:00 and the evening from 12:00 round to 00:00, at 6000 hundredths
# of a dollar an hour; the clock is not synchronised when the session begins.
python3 - "$REGISTRY" <<'PY'
import re, struct, sys
path = sys.argv[1]
text = open(path, encoding="utf-8").read()
def put(name, value):
    global text
    data = ",".join("%02x" % b for b in struct.pack("<d", value))
    text, count = re.subn(r'"%s"=hex:[0-9a-f,]*' % re.escape(name), '"%s"=hex:%s' % (name, data), text)
    assert count == 1, name
put("Avans", 10000)
for day in range(1, 8):
    for suffix in ("_Days", "_Evening", "_Night"):
        put("%d%s" % (day, suffix), 6000)
    put("%d_D_To" % day, 0.5)
    put("%d_E_From" % day, 0.5)
text = text.replace('"Synchronization"=dword:00000001', '"Synchronization"=dword:00000000')
open(path, "w", encoding="utf-8").write(text)
PY

# The double of a value in the settings file.
value_of() {
    python3 - "$REGISTRY" "$1" <<'PY'
import re, struct, sys
text = open(sys.argv[1], encoding="utf-8").read()
match = re.search(r'"%s"=hex:([0-9a-f,]*)' % re.escape(sys.argv[2]), text)
print(struct.unpack("<d", bytes(int(b, 16) for b in match.group(1).split(",")))[0] if match else "missing")
PY
}

export http_proxy=http://127.0.0.1:9/
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
"$DOMORA_BIN" >"$WORK/domora.log" 2>&1 &
pid=$!
PIDS+=("$pid")
sleep 60
kill -TERM "$pid"
wait_for '! kill -0 '"$pid"' 2>/dev/null' 20 || fail "the program did not end on SIGTERM"
wait "$pid" || fail "the program ended with status $?: $(tail -n 5 "$WORK/domora.log")"

avans=$(value_of Avans)
seconds=$(python3 -c "print(round($(value_of Last_Seans) * 86400))")
money=$(value_of Last_Money)
echo "advance $avans, last session $seconds s, its cost $money"
python3 - "$avans" "$seconds" "$money" <<'PY' || fail "the session was not stored as it ran"
import sys
avans, seconds, money = float(sys.argv[1]), int(sys.argv[2]), float(sys.argv[3])
assert 55 <= seconds <= 75, seconds
assert abs(money - seconds / 60) < 0.02, money
assert abs(avans - (10000 - money * 100)) < 0.5, avans
PY
echo "balance session: advance, duration and cost stored at SIGTERM"
