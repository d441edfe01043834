#!/usr/bin/env bash
# An alarm at 07:30 on working days with two more firings left goes off on Tuesday
# 5 January 2027: the note program (a recording stub here) is started with the alarm's
# command line, and the alarm's repeat count goes from "2" to "1" while the records
# before and after it stay byte for byte as they were.
source "$(dirname "$0")/lib.sh"
start_x
seed_registry StartHow1

RECORD=760
# A program folder of its own, where the note program is a stub that notes its
# arguments, one a line, and its working folder.
PROGRAM=$WORK/program
mkdir -p "$PROGRAM"
cp "$DOMORA_BIN" "$PROGRAM/domora"
cp -r "$(dirname "$DOMORA_BIN")/Sound" "$DOMORA_HOME/"
cat >"$PROGRAM/notebox" <<EOF
#!/bin/sh
pwd >"$WORK/notebox.cwd"
printf '%s\n' "\$@" >"$WORK/notebox.tmp"
mv "$WORK/notebox.tmp" "$WORK/notebox.args"
EOF
chmod +x "$PROGRAM/notebox"

# The alarm: golden record 1 (07:30, "Всегда", Monday to Friday, "Бип-Бип", switched on)
# with a text file whose path holds a blank, and a repeat count of 2. Before it golden
# record 2, after it golden record 3.
NOTE="$DOMORA_HOME/Temp/File 1.txt"
head -c $RECORD "$TEST_DATA/Budil.DMR" >"$WORK/alarm"
put_text "$WORK/alarm" 237 200 "$NOTE"
cp "$WORK/alarm" "$WORK/expected"
put_text "$WORK/alarm" 224 10 2
put_text "$WORK/expected" 224 10 1
ALARMS=$DOMORA_HOME/Data/Budil.DMR
{
    tail -c +$((RECORD + 1)) "$TEST_DATA/Budil.DMR" | head -c $RECORD
    cat "$WORK/alarm"
    tail -c +$((2 * RECORD + 1)) "$TEST_DATA/Budil.DMR" | head -c $RECORD
} >"$ALARMS"
cp "$ALARMS" "$WORK/before"
[ "$(stat -c %s "$ALARMS")" -eq $((3 * RECORD)) ] || fail "the alarm file was not made"

export TZ=UTC
# In a sanitizer build the preloaded clock library comes before the sanitizer's runtime.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
start_at '2027-01-05 07:29:55' "$PROGRAM/domora" >"$WORK/domora.log" 2>&1

wait_for '[ -s "$WORK/notebox.args" ]' 30 || {
    cat "$WORK/domora.log" >&2
    fail "the note program was not started"
}
printf '%s\n' 1 "${DOMORA_HOME}/Sound/Bud/Bip-Bip.wav" "$NOTE" 2 >"$WORK/notebox.expected"
diff "$WORK/notebox.expected" "$WORK/notebox.args" || fail "the note program got other arguments"
[ "$(cat "$WORK/notebox.cwd")" = "$DOMORA_HOME" ] || fail "the note program ran in $(cat "$WORK/notebox.cwd")"

# The count is written right after the start.
wait_for 'cmp -s -i $RECORD:0 -n $RECORD "$ALARMS" "$WORK/expected"' 10 || fail "the repeat count was not stepped to 1"
[ "$(stat -c %s "$ALARMS")" -eq $((3 * RECORD)) ] || fail "the alarm file changed its size"
cmp -n $RECORD "$ALARMS" "$WORK/before" || fail "the record before the alarm changed"
cmp -i $((2 * RECORD)) -n $RECORD "$ALARMS" "$WORK/before" || fail "the record after the alarm changed"

# One start for the minute: the ticks after the pass start nothing more.
rm "$WORK/notebox.args"
sleep 3
[ ! -e "$WORK/notebox.args" ] || fail "the alarm fired twice"
echo "alarm fires: note program started with the alarm's arguments, repeat 2 -> 1"
