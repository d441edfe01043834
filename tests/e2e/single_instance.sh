#!/usr/bin/env bash
# Two copies started at the same instant leave exactly one running; the other says so
# and ends once its message is answered.
source "$(dirname "$0")/lib.sh"
start_x
seed_registry StartHow1

"$DOMORA_BIN" >"$WORK/a.log" 2>&1 &
a=$!
"$DOMORA_BIN" >"$WORK/b.log" 2>&1 &
b=$!
PIDS+=("$a" "$b")

# The copy that holds the lock is the one that goes on.
holder() {
    grep -E 'FLOCK +ADVISORY +WRITE' /proc/locks | awk '{print $5}' | grep -x -E "$a|$b" | head -n 1
}
wait_for '[ -n "$(holder)" ]' 10 || fail "no copy took the single-instance lock"
winner=$(holder)
if [ "$winner" = "$a" ]; then loser=$b; else loser=$a; fi

# The refused copy shows its notice; answer it.
wait_for 'xdotool search --pid "$loser" >/dev/null 2>&1' 10 || fail "the second copy showed no message"
for window in $(xdotool search --pid "$loser"); do
    xdotool key --window "$window" Return 2>/dev/null || true
done
wait_for '! kill -0 "$loser" 2>/dev/null' 10 || fail "the second copy is still running"
wait "$loser" || fail "the second copy ended with an error"

sleep 1
kill -0 "$winner" 2>/dev/null || fail "the first copy did not keep running"
xdotool search --pid "$winner" --name '^Domora Lite 2003$' >/dev/null || fail "the first copy has no main window"
echo "single instance: one copy running"
