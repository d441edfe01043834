#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, the way the tests need it:
#   wine-run.sh <prefix> <program> [arguments...]
#   wine-run.sh <prefix> --start-server   lays down the prefix and starts a persistent
#                                          wineserver, its output on /dev/null
#   wine-run.sh <prefix> --stop-server    stops that wineserver (wineserver -k)
# No display, no Wine debug output, and the Russian locale, so that the ANSI code page
# is 1251.
set -euo pipefail
if [ $# -lt 2 ]; then
    echo "usage: $0 <prefix> <program> [arguments...] | --start-server | --stop-server" >&2
    exit 2
fi
prefix=$1
shift
export WINEPREFIX=$prefix
export WINEDEBUG=-all
export LC_ALL=ru_RU.UTF-8
# No prompts to install the .NET and HTML engines into a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

case "$1" in
--start-server)
    mkdir -p "$prefix"
    wineserver -p </dev/null >/dev/null 2>&1
    # Wine's background programs (services, device manager) start with the first program
    # of a session and outlive it: start them here, with their output on /dev/null, so
    # that they do not hold the output of a test open.
    if [ ! -f "$prefix/system.reg" ]; then
        wineboot -i </dev/null >/dev/null 2>&1
    else
        wineboot </dev/null >/dev/null 2>&1
    fi
    ;;
--stop-server)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    ;;
*)
    exec wine "$@"
    ;;
esac
