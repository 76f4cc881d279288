#!/usr/bin/env bash
# Installs, on Debian 12, the packages needed to build, run and test the atlas.
# Installs only what is missing; uses sudo when not run as root.
set -euo pipefail

PACCHETTI=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-translations-l10n
    libgl-dev
    libespeak-ng-dev espeak-ng-data
    qt6-qpa-plugins
    pulseaudio xvfb xauth
    poppler-utils
    dpkg-dev desktop-file-utils appstream librsvg2-bin
    poppler-utils
)

mancanti=()
for p in "${PACCHETTI[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        mancanti+=("$p")
    fi
done
[ ${#mancanti[@]} -eq 0 ] && exit 0

echo "Installazione dei pacchetti mancanti: ${mancanti[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
