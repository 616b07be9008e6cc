#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program use, when missing.
# Needs Debian 12 (or the same packages), root or sudo, and access to Debian's archive.
set -euo pipefail

PACKAGES=(
    cmake make
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
    googletest
    # wine64 alone puts no command on PATH: the launcher comes with wine. Wine's own
    # fonts (Tahoma, Marlett, ...) are only recommended, so they are named here.
    wine wine64 fonts-wine
    xvfb xauth x11-utils imagemagick xdotool
    fonts-liberation
    mdbtools poppler-utils
    python3-xlwt python3-xlrd
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

for c in wine wineserver x86_64-w64-mingw32-g++-posix cmake; do
    command -v "$c" >/dev/null || { echo "setup: '$c' is missing after the install" >&2; exit 1; }
done
