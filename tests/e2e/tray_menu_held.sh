#!/usr/bin/env bash
# The tray menu opens while the right button is still down. Held, moved a few pixels onto the
# menu and released there, that button must not choose an item: a second later the menu is
# still open and nothing else has appeared (no main window, no question to close). Screens
# of 1280 x 800 and 1920 x 1080, tray host at the bottom and at the top.
source "$(dirname "$0")/lib.sh"
# The first-run settings: the program starts in the tray.
mkdir -p "$(dirname "$REGISTRY")"
cp "$TEST_DATA/registry-defaults.reg" "$REGISTRY"

# The program's visible windows: "menu" for a popup (a window the window manager does not
# manage, larger than the tray icon), "window" for any other (the main window, a question).
window_kinds() {
    local window info
    for window in $(xdotool search --pid "$1" --onlyvisible 2>/dev/null); do
        info=$(xwininfo -id "$window")
        if grep -q 'Override Redirect State: no' <<<"$info"; then
            echo window
        elif ! grep -q 'Width: 22$' <<<"$info"; then
            echo menu
        fi
    done
}

for screen in 1280x800 1920x1080; do
    for edge in bottom top; do
        start_x "$screen"
        start_tray "$edge"
        "$DOMORA_BIN" >"$WORK/domora.log" 2>&1 &
        pid=$!
        PIDS+=("$pid")
        width=${screen%x*}
        height=${screen#*x}
        x=$((width - 12))
        y=12
        move=8
        if [ "$edge" = bottom ]; then
            y=$((height - 12))
            move=-8
        fi
        wait_for 'xdotool search --pid "$pid" --onlyvisible >/dev/null 2>&1' 10 || fail "no tray icon ($screen, $edge)"
        sleep 1
        xdotool mousemove "$x" "$y"
        sleep 0.2
        xdotool mousedown 3
        sleep 0.4
        xdotool mousemove_relative -- "$move" "$move"
        sleep 0.4
        xdotool mouseup 3
        sleep 1
        kinds=$(window_kinds "$pid" | sort | uniq | tr '\n' ' ')
        [ "$kinds" = "menu " ] || fail "after a held press ($screen, tray at the $edge) the program shows: '$kinds'"
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
        PIDS=()
        sleep 0.3
    done
done
echo "tray menu: stays open after a held press at 1280x800 and 1920x1080, tray at the top and the bottom"
