#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian (no errors allowed), installs it, checks
# the installed program (--version, --help and a refused option without a display; the
# desktop entry's command under Xvfb: its window, its data folder laid down from
# /usr/share/domora, the sound module found) and removes the package again, also when a
# check fails. Run as root on Debian 12. Usage: scripts/test-package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
here=$(pwd)
build=${1:-build/package}
export DEBIAN_FRONTEND=noninteractive

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

bash scripts/deps.sh

if dpkg-query -W -f='${Status}' domora 2>/dev/null | grep -q 'install ok installed'; then
    fail "the package domora is installed already; this test installs and removes it, so remove it first"
fi

started=$(date +%s)
bash scripts/build-package.sh "$build"
deb=$(ls "$here/$build"/domora_*.deb)
echo "== package built in $(($(date +%s) - started)) s: $deb"
dpkg-deb --field "$deb" Package Version Depends Recommends
dpkg-deb --contents "$deb" | awk '{ print $6 }'

echo "== lintian"
lintian --allow-root --fail-on error "$deb" || fail "lintian found errors"

work=$(mktemp -d)
pids=()
installed=
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    sleep 0.3
    for pid in "${pids[@]}"; do
        kill -9 "$pid" 2>/dev/null || true
    done
    if [ -n "$installed" ]; then
        apt-get remove -y -qq domora >/dev/null || echo "could not remove the package domora" >&2
    fi
    rm -rf "$work"
}
trap cleanup EXIT

echo "== install"
installed=1
apt-get install -y -qq --no-install-recommends "$deb" >"$work/apt.log" 2>&1 || {
    cat "$work/apt.log"
    fail "the package did not install"
}
[ "$(command -v domora)" = /usr/bin/domora ] || fail "domora is not /usr/bin/domora"
for program in notebox clocksy tallyup; do
    [ -x "/usr/bin/$program" ] || fail "no /usr/bin/$program"
done

# A user of its own: a temporary home with the XDG folders in it.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset DOMORA_HOME SESSION_MANAGER
export LC_ALL=C.UTF-8

echo "== domora --version, --help, a wrong option (no display)"
version=$(sed -n 's/^project(DomoraLite2003 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
out=$(env -u DISPLAY -u WAYLAND_DISPLAY domora --version) || fail "domora --version failed"
echo "$out"
[ "$out" = "Domora Lite 2003 $version" ] || fail "domora --version printed '$out'"
env -u DISPLAY -u WAYLAND_DISPLAY domora --help >"$work/help.txt" || fail "domora --help failed"
grep -q -- '--version' "$work/help.txt" || fail "the help names no --version"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY domora --no-such-option 2>"$work/refused.txt" || status=$?
[ "$status" -eq 2 ] || fail "a wrong option ended with $status, not 2"
grep -q 'неизвестный параметр' "$work/refused.txt" || fail "a wrong option was not told: $(cat "$work/refused.txt")"
if [ -e "$XDG_DATA_HOME/domora" ] || [ -e "$XDG_CONFIG_HOME/domora" ]; then
    fail "--version, --help or a wrong option touched the data or settings folder"
fi

echo "== the desktop entry's command under Xvfb"
entry=$(dpkg -L domora | grep '^/usr/share/applications/.*\.desktop$')
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
metainfo=$(dpkg -L domora | grep '^/usr/share/metainfo/.*\.metainfo\.xml$')
appstreamcli validate --no-net "$metainfo" || fail "the AppStream data is not valid"
command=$(sed -n 's/^Exec=//p' "$entry")
[ "$command" = domora ] || fail "the desktop entry runs '$command'"
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 10 -u "$displayfd" number || fail "Xvfb did not start: $(tail -n 3 "$work/xvfb.log")"
exec {displayfd}>&-
export DISPLAY=:$number QT_QPA_PLATFORM=xcb
trayer --edge bottom --align right --widthtype pixel --width 120 --height 24 >"$work/trayer.log" 2>&1 &
pids+=($!)
sleep 0.5

(cd "$HOME" && exec $command) >"$work/domora.log" 2>&1 &
pid=$!
pids+=("$pid")
shown=
for _ in $(seq 150); do
    if xdotool search --pid "$pid" --name '^Domora Lite 2003$' >/dev/null 2>&1; then
        shown=1
        break
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
[ -n "$shown" ] || {
    cat "$work/domora.log"
    fail "no window of the program"
}
echo "window: $(xdotool search --pid "$pid" --name '^Domora Lite 2003$' | wc -l) of the name 'Domora Lite 2003'"
for file in Data/Budil.DMR Data/Celeb.DMR Data/IServers.DMR Data/Zadan.DMR Sound/Bud/Jin.wav sound/timer/timer.WAV; do
    cmp "/usr/share/domora/$file" "$XDG_DATA_HOME/domora/$file" || fail "$file was not laid down in the data folder"
done
echo "data folder: $(find "$XDG_DATA_HOME/domora" -type f | wc -l) files under \$XDG_DATA_HOME/domora"
kill "$pid"
wait "$pid" 2>/dev/null || true

# The note program loads the sound module, from lib/.../domora, to play a melody.
DOMORA_NOTEBOX_QUIT_MS=4000 notebox 1 "$XDG_DATA_HOME/domora/Sound/Bud/Jin.wav" EMPTY 1 >"$work/notebox.log" 2>&1 &
pid=$!
pids+=("$pid")
module=
for _ in $(seq 30); do
    if grep -q 'libdomora_sound\.so' "/proc/$pid/maps" 2>/dev/null; then
        module=1
        break
    fi
    sleep 0.1
done
wait "$pid" 2>/dev/null || true
if [ -z "$module" ] || grep -q 'No sound' "$work/notebox.log"; then
    cat "$work/notebox.log"
    fail "the installed note program did not load the sound module"
fi
echo "sound module: loaded by notebox"

echo "== remove"
installed=
apt-get remove -y -qq domora >/dev/null || fail "the package did not remove"
[ ! -e /usr/bin/domora ] || fail "/usr/bin/domora is left after the removal"
echo "package: built, clean of lintian errors, installed, started, removed in $(($(date +%s) - started)) s"
