#!/usr/bin/env bash
# The price editor as domora starts it ("tallyup fac"), driven from the keyboard under Xvfb:
# the advance, a price and a bound typed in and saved with Ctrl+S land in the shared settings
# file as 8-byte doubles under their names, with the change signal for domora; a settings file
# that cannot be written is told, the window stays and a second save after the file is back
# loses nothing.
source "$(dirname "$0")/lib.sh"
TALLYUP=$DOMORA_BIN
start_x
seed_registry StartHow2

# The registry text of an 8-byte double: "hex:00,00,...".
hex_of() {
    python3 -c "import struct,sys; print('hex:' + ','.join('%02x' % b for b in struct.pack('<d', float(sys.argv[1]))))" "$1"
}
has_value() {
    grep -q -F "\"$1\"=$2" "$REGISTRY" || {
        grep -F "\"$1\"=" "$REGISTRY" >&2 || true
        fail "\"$1\" is not $2"
    }
}
# The editor's window of process $1, shown: its class is the one domora looks for.
editor_window() {
    xdotool search --onlyvisible --pid "$1" --class '^TfrmTallyup$' 2>/dev/null | head -n 1
}
# Another window of process $1 than $2: a message box.
other_window() {
    xdotool search --onlyvisible --pid "$1" --name '^Tallyup$' 2>/dev/null | grep -v -x "$2" | head -n 1
}

"$TALLYUP" fac >"$WORK/tallyup.log" 2>&1 &
editor=$!
PIDS+=("$editor")
wait_for '[ -n "$(editor_window "$editor")" ]' 15 || fail "no editor window"
window=$(editor_window "$editor")
[ "$(xdotool getwindowname "$window")" = Tallyup ] || fail "the title is $(xdotool getwindowname "$window")"
xprop -id "$window" WM_CLASS | grep -q '"TfrmTallyup"' || fail "window class: $(xprop -id "$window" WM_CLASS)"
xdotool windowfocus --sync "$window"
sleep 0.3
# The advance has the focus; then the weekday tabs, then Monday's day price and its start.
xdotool key ctrl+a
xdotool type "250,75"
xdotool key Tab Tab ctrl+a
xdotool type "1.25"
xdotool key Tab Up Up Up Up Up Up Up Up

# The file cannot be read or written: the save is refused and told, nothing is lost.
cp "$REGISTRY" "$WORK/before.reg"
mv "$REGISTRY" "$WORK/aside.reg"
mkdir "$REGISTRY"
xdotool key ctrl+s
wait_for '[ -n "$(other_window "$editor" "$window")" ]' 10 || fail "no message for the refused save"
kill -0 "$editor" || fail "the editor ended although nothing was saved"
rmdir "$REGISTRY"
mv "$WORK/aside.reg" "$REGISTRY"
cmp -s "$REGISTRY" "$WORK/before.reg" || fail "the refused save changed the settings"
box=$(other_window "$editor" "$window")
xdotool windowfocus --sync "$box" key Return
wait_for '[ -z "$(other_window "$editor" "$window")" ]' 10 || fail "the message stayed"

xdotool windowfocus --sync "$window"
sleep 0.2
xdotool key ctrl+s
wait_for '! kill -0 "$editor" 2>/dev/null' 10 || fail "the editor did not close after saving"
wait "$editor" || { status=$?; tail -n 40 "$WORK/tallyup.log" >&2; fail "the editor ended with status $status"; }

has_value Avans "$(hex_of 25075)"
has_value 1_Days "$(hex_of 125)"
has_value 1_D_From "$(hex_of "$(python3 -c 'print(repr(8 * 3600 * 1000 / 86400000))')")"
has_value Changing_Data dword:00000001
tr -d '\r' <"$REGISTRY" >"$WORK/plain.reg"
for day in 1 2 3 4 5 6 7; do
    for name in Days Evening Night D_From D_To E_From E_To N_From N_To; do
        grep -q -E "^\"${day}_${name}\"=hex:([0-9a-f]{2},){7}[0-9a-f]{2}$" "$WORK/plain.reg" ||
            fail "${day}_$name is not an 8-byte value"
    done
done
# domora's own values are kept.
grep -q '"StartWith"="Напоминания"' "$REGISTRY" || fail "the main key's values were lost"
echo "tallyup: refused save told and kept; saved values stored with the change signal"
