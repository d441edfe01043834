#!/usr/bin/env bash
# The first run writes every default setting, in the order and with the types of the
# reference file; the second run starts in the tray as those settings say.
source "$(dirname "$0")/lib.sh"
start_x
start_tray

"$DOMORA_BIN" >"$WORK/first.log" 2>&1 &
first=$!
PIDS+=("$first")
wait_for '[ -s "$REGISTRY" ]' 15 || fail "the first run wrote no settings"
# The settings without the minute of the last pass, which every run keeps up to date.
settings() { grep -av '^"LastPass"=' "$REGISTRY"; }
# The thank-you message waits for the user; the settings are written before it.
wait_for 'xdotool search --pid "$first" --onlyvisible >/dev/null 2>&1' 10 || fail "no thank-you message"
cmp <(settings) "$TEST_DATA/registry-defaults.reg" || {
    diff <(settings | tr -d '\r') <(tr -d '\r' <"$TEST_DATA/registry-defaults.reg") | head -20
    fail "the first-run settings differ from the reference"
}
[ ! -e "$XDG_CONFIG_HOME/autostart/domora.desktop" ] || fail "autostart registered before the options were saved"
kill "$first"
wait "$first" 2>/dev/null || true

# Second run: no message, the window goes to the tray at once.
"$DOMORA_BIN" >"$WORK/second.log" 2>&1 &
second=$!
PIDS+=("$second")
wait_for 'xdotool search --pid "$second" --name "^Domora Lite 2003$" >/dev/null 2>&1' 10 || fail "no main window"
sleep 2
kill -0 "$second" || fail "the second run ended"
# The main window is the one of its size; the tray icon is a small window of the same name.
main_window_shown() {
    local window
    for window in $(xdotool search --pid "$1" --onlyvisible --name '^Domora Lite 2003$' 2>/dev/null); do
        xwininfo -id "$window" | grep -q 'Width: 521' && return 0
    done
    return 1
}
tray_icon_shown() {
    local window
    for window in $(xdotool search --pid "$1" --onlyvisible --name '^Domora Lite 2003$' 2>/dev/null); do
        xwininfo -id "$window" | grep -q 'Width: 521' || return 0
    done
    return 1
}
wait_for 'tray_icon_shown "$second"' 10 || fail "no tray icon"
main_window_shown "$second" && fail "the main window is on the screen although the start mode is the tray"
cmp -s <(settings) "$TEST_DATA/registry-defaults.reg" || fail "the second run changed the settings it only reads"
echo "first run: defaults written; second run: started in the tray"
