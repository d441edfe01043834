#!/usr/bin/env bash
# Takes screenshots of the program as a user sees it: under Xvfb with the trayer tray
# host, in a temporary home. Usage: scripts/screenshot.sh BUILD_DIR OUT_DIR [PAGE ...]
# Each PAGE (0..5) gives one picture of the main window on that page; "menu" gives one of
# the tray menu; "tallyup" one of the price editor's window alone, with a week of prices;
# "missed" the list of what was missed, the program having been off since Friday 07:00
# (with the alarms and tasks of tests/data). With DOMORA_FROZEN_TIME set ("2026-12-07 10:00:00") the program's clock
# stands still at that instant, so that two builds can be compared picture by picture.
set -euo pipefail
build=${1:?build folder}
out=${2:?output folder}
shift 2
pages=("${@:-0}")
mkdir -p "$out"
work=$(mktemp -d)
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_CONFIG_HOME/domora" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
unset SESSION_MANAGER
here=$(cd "$(dirname "$0")/.." && pwd)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT

Xvfb :97 -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=:97
sleep 1
trayer --edge bottom --align right --widthtype pixel --width 120 --height 24 --tint 0x303030 --transparent true \
    --alpha 0 >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

# The settings with an advance of 25,50 $ and prices of 1,20 $ (08:00 .. 18:00), 0,90 $
# (18:00 .. 23:00) and 0,45 $ (23:00 .. 08:00) an hour, the weekend's days a little cheaper.
seed_prices() {
    python3 - "$1" <<'PY'
import re, struct, sys
path = sys.argv[1]
text = open(path, encoding="utf-8", newline="").read()
def put(name, value):
    global text
    hexed = ",".join("%02x" % b for b in struct.pack("<d", value))
    text = re.sub('"%s"=hex:[0-9a-f,]+' % re.escape(name), '"%s"=hex:%s' % (name, hexed), text)
put("Avans", 2550)
for day in range(1, 8):
    weekend = day >= 6
    for suffix, price in (("Days", 100 if weekend else 120), ("Evening", 90), ("Night", 45)):
        put("%d_%s" % (day, suffix), price)
    for suffix, hour in (("D_From", 8), ("D_To", 18), ("E_From", 18), ("E_To", 23), ("N_From", 23), ("N_To", 8)):
        put("%d_%s" % (day, suffix), hour / 24)
open(path, "w", encoding="utf-8", newline="").write(text)
PY
}

for page in "${pages[@]}"; do
    if [ "$page" = tallyup ]; then
        cp "$here/tests/data/registry-defaults.reg" "$XDG_CONFIG_HOME/domora/registry.reg"
        seed_prices "$XDG_CONFIG_HOME/domora/registry.reg"
        "$build/bin/tallyup" fac &
        pid=$!
        sleep 2
        window=$(xdotool search --onlyvisible --pid "$pid" --class '^TfrmTallyup$' | head -n 1)
        import -window "$window" "$out/tallyup.png"
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        continue
    fi
    if [ "$page" = missed ]; then
        app=$work/app
        mkdir -p "$app"
        cp -r "$build/bin/Data" "$build/bin/Sound" "$app/"
        cp "$here/tests/data/Budil.DMR" "$here/tests/data/Zadan.DMR" "$app/Data/"
        sed -e 's/^"StartWith"=.*/&\n"LastPass"="2026-12-04 07:00"\r/' \
            "$here/tests/data/registry-defaults.reg" >"$XDG_CONFIG_HOME/domora/registry.reg"
        DOMORA_HOME=$app LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 \
            FAKETIME="${DOMORA_FROZEN_TIME:-2026-12-07 10:30:00}" FAKETIME_DONT_FAKE_MONOTONIC=1 "$build/bin/domora" &
        pid=$!
        sleep 3
        window=$(xdotool search --onlyvisible --pid "$pid" --name 'пропущено$' | head -n 1)
        xdotool windowmove "$window" 40 40
        sleep 0.5
        import -window "$window" "$out/missed.png"
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        continue
    fi
    start=$page
    [ "$page" = menu ] && start=0
    names=("Напоминания" "Опции" "Сервис" "Время в мире" "Система" "Напоминания")
    sed -e 's/"StartHow2"=dword:00000001/"StartHow2"=dword:00000000/' \
        -e 's/"StartHow1"=dword:00000000/"StartHow1"=dword:00000001/' \
        -e "s/\"StartWith\"=\"Напоминания\"/\"StartWith\"=\"${names[$start]}\"/" \
        "$here/tests/data/registry-defaults.reg" >"$XDG_CONFIG_HOME/domora/registry.reg"
    if [ -n "${DOMORA_FROZEN_TIME:-}" ]; then
        LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 FAKETIME="$DOMORA_FROZEN_TIME" \
            FAKETIME_DONT_FAKE_MONOTONIC=1 "$build/bin/domora" &
    else
        "$build/bin/domora" &
    fi
    pid=$!
    sleep 2
    window=$(xdotool search --pid "$pid" --name '^Domora Lite 2003$' | head -n 1)
    xdotool windowmove "$window" 20 20
    if [ "$page" = 5 ]; then
        # The About page is reached through the tray menu's "&Форма" item.
        xdotool mousemove 788 588 click 3
        sleep 0.5
        xdotool key Down Right Up Return
        sleep 0.5
    fi
    if [ "$page" = menu ]; then
        xdotool mousemove 788 588 click 3
        sleep 0.5
        xdotool key Down Right
        sleep 0.5
    fi
    sleep 0.5
    import -window root "$out/page-$page.png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
