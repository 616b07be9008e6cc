#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program use, when missing.
# Needs Debian 12 (or the same packages), root or sudo, and access to Debian's archive.
#   STICKWELL_PRINTER=pdf   also CUPS with its PDF printer: starts the scheduler where none
#                           runs and adds the queue "Stickwell_PDF" (PDFs land in ~/PDF)
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
    # the installer and the portable zip (scripts/package.sh and its test)
    nsis zip unzip
    # the help file's compiler (chmcmd) and the reader its test decompiles it with
    fp-utils libchm-bin
    # the printing test's own scheduler, its PDF backend and pdftotext
    cups-daemon cups-core-drivers cups-client ghostscript
)
if [ "${STICKWELL_PRINTER:-}" = "pdf" ]; then
    PACKAGES+=(cups printer-driver-cups-pdf)
fi

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

for c in wine wineserver x86_64-w64-mingw32-g++-posix cmake chmcmd extract_chmLib; do
    command -v "$c" >/dev/null || { echo "setup: '$c' is missing after the install" >&2; exit 1; }
done

# A real printer queue for the program: CUPS's PDF printer.
if [ "${STICKWELL_PRINTER:-}" = "pdf" ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    if ! lpstat -r >/dev/null 2>&1; then
        echo "setup: starting the CUPS scheduler"
        $SUDO service cups start >/dev/null 2>&1 || $SUDO /usr/sbin/cupsd || true
        for _ in $(seq 1 20); do
            lpstat -r >/dev/null 2>&1 && break
            sleep 0.5
        done
    fi
    lpstat -r >/dev/null 2>&1 || { echo "setup: the CUPS scheduler does not start" >&2; exit 1; }
    if ! lpstat -p Stickwell_PDF >/dev/null 2>&1; then
        echo "setup: adding the printer queue Stickwell_PDF (PDF files in ~/PDF)"
        $SUDO lpadmin -p Stickwell_PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
            -D "Stickwell PDF printer"
        # the system's default printer only where there is none
        lpstat -d 2>/dev/null | grep -q "system default destination:" || $SUDO lpadmin -d Stickwell_PDF
    fi
fi
