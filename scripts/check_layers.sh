#!/usr/bin/env bash
# Checks the rules of the layers that the compiler cannot: operating-system headers and
# conditionals only in the platform layer, and time read only through the clock.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0

report() {
    echo "$1:"
    echo "$2"
    status=1
}

os_headers='#\s*include\s*<(windows\.h|winreg\.h|shellapi\.h|unistd\.h|fcntl\.h|sys/[a-z_]+\.h|spawn\.h|pwd\.h|dlfcn\.h|X11/[A-Za-z_]+\.h)>'
hits=$(grep -r -n -E "$os_headers" src --include='*.cpp' --include='*.h' | grep -v '^src/platform/' || true)
[ -z "$hits" ] || report "operating-system headers outside src/platform" "$hits"

hits=$(grep -r -n -E '^\s*#\s*if.*(_WIN32|__linux__|__unix__|Q_OS_)' src | grep -v '^src/platform/' || true)
[ -z "$hits" ] || report "operating-system conditionals outside src/platform" "$hits"

clock_reads='QDateTime::current|QDate::currentDate|QTime::currentTime|system_clock::now|\btime\((nullptr|NULL|0)\)|localtime(_r)?\(|gmtime(_r)?\(|gettimeofday|clock_gettime|GetLocalTime|GetSystemTime\(|GetTickCount'
hits=$(grep -r -n -E "$clock_reads" src --include='*.cpp' --include='*.h' | grep -v -E '^src/platform/(posix|win32)/' || true)
[ -z "$hits" ] || report "time read outside the clock" "$hits"

hits=$(grep -r -l -E '#\s*include\s*<Q' src/core src/platform 2>/dev/null || true)
[ -z "$hits" ] || report "Qt headers below the user interface" "$hits"

[ $status -eq 0 ] && echo "layers: clean"
exit $status
