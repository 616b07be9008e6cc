#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail

PACKAGES=(
    cmake make
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    googletest
    wine64
    xvfb xauth x11-utils imagemagick
    fonts-liberation
    mdbtools poppler-utils
    libz-mingw-w64-dev
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
