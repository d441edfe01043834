#!/usr/bin/env bash
# A daily task at 07:30 runs on Tuesday 5 January 2027: its program, a stub in a folder whose
# name holds a blank and Cyrillic letters, is started in that folder with exactly the
# arguments its parameter text groups (nothing of it interpreted by a shell), and the task
# is then switched off while every other byte of the task file stays as it was.
source "$(dirname "$0")/lib.sh"
start_x
seed_registry StartHow2

RECORD=480
PROGRAM=$WORK/program
mkdir -p "$PROGRAM"
cp "$DOMORA_BIN" "$PROGRAM/domora"

FOLDER="$WORK/Мои программы"
mkdir -p "$FOLDER"
cat >"$FOLDER/run me.sh" <<EOF
#!/bin/sh
pwd >"$WORK/task.cwd"
printf '%s\n' "\$@" >"$WORK/task.tmp"
mv "$WORK/task.tmp" "$WORK/task.args"
EOF
chmod +x "$FOLDER/run me.sh"

# The task: golden record 1 (10:00, "Ежедневно", custom, switched on) moved to 07:30 with
# the stub as its program; after it golden record 3 (switched off), which must not run.
PARAMS="\"a b\" \$HOME;rm -rf x 'c  d' Привет"
head -c $RECORD "$TEST_DATA/Zadan.DMR" >"$WORK/task"
put_byte "$WORK/task" 0 7
put_byte "$WORK/task" 1 30
put_text "$WORK/task" 70 100 "run me.sh"
put_text "$WORK/task" 171 200 "$FOLDER/"
put_text "$WORK/task" 372 100 "$PARAMS"
cp "$WORK/task" "$WORK/expected"
put_byte "$WORK/expected" 473 0
TASKS=$DOMORA_HOME/Data/Zadan.DMR
{
    cat "$WORK/task"
    tail -c +$((2 * RECORD + 1)) "$TEST_DATA/Zadan.DMR" | head -c $RECORD
} >"$TASKS"
cp "$TASKS" "$WORK/before"
[ "$(stat -c %s "$TASKS")" -eq $((2 * RECORD)) ] || fail "the task file was not made"

export TZ=UTC
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
start_at '2027-01-05 07:29:55' "$PROGRAM/domora" >"$WORK/domora.log" 2>&1

wait_for '[ -s "$WORK/task.args" ]' 30 || {
    cat "$WORK/domora.log" >&2
    fail "the task's program was not started"
}
printf '%s\n' "a b" "\$HOME;rm" -rf x "c  d" "Привет" >"$WORK/task.expected"
diff "$WORK/task.expected" "$WORK/task.args" || fail "the task's program got other arguments"
[ "$(cat "$WORK/task.cwd")" = "$FOLDER" ] || fail "the task's program ran in $(cat "$WORK/task.cwd")"

# Switched off right after the start; nothing else in the file changed.
wait_for 'cmp -s -n $RECORD "$TASKS" "$WORK/expected"' 10 || fail "the task was not switched off"
[ "$(stat -c %s "$TASKS")" -eq $((2 * RECORD)) ] || fail "the task file changed its size"
cmp -i $RECORD -n $RECORD "$TASKS" "$WORK/before" || fail "the task after it changed"

# Once: the ticks after the pass start nothing more.
rm "$WORK/task.args"
sleep 3
[ ! -e "$WORK/task.args" ] || fail "the task ran twice"
echo "task runs: program started in its folder with its grouped arguments, task switched off"
