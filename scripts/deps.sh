#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, as root. Quick when
# everything is there already.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev libx11-dev
    qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth trayer xdotool x11-utils x11-xkb-utils imagemagick faketime
    fonts-dejavu-core fonts-liberation2
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
fi
