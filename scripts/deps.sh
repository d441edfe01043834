#!/usr/bin/env bash
# Installs Debian 12 packages as root, each only when it is missing, so it is quick when
# everything is there already. Without arguments: what building, running and testing the
# program need; with arguments: those packages.
set -euo pipefail

packages=("$@")
if [ ${#packages[@]} -eq 0 ]; then
    packages=(
        cmake ninja-build g++ pkg-config
        qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev libx11-dev
        libxtst-dev libxext-dev libsystemd-dev libpci-dev pci.ids
        qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
        libjpeg62-turbo-dev
        libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
        xvfb xauth trayer xdotool x11-utils x11-xkb-utils imagemagick faketime
        dbus-daemon python3-dbus python3-gi
        python3 chrony
        clang-format-14 shellcheck
        fonts-dejavu-core fonts-liberation2
        dpkg-dev lintian desktop-file-utils appstream
    )
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    # No service a package brings is started by its installation: the time server would
    # start with its own configuration and ask servers on the Internet. The tests start what
    # they need, on the loopback interface.
    policy=/usr/sbin/policy-rc.d
    made_policy=
    if [ ! -e "$policy" ]; then
        printf '#!/bin/sh\nexit 101\n' >"$policy"
        chmod 755 "$policy"
        made_policy=1
    fi
    status=0
    apt-get update -qq && apt-get install -y -qq "${missing[@]}" || status=$?
    [ -z "$made_policy" ] || rm -f "$policy"
    exit "$status"
fi
