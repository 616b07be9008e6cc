#!/usr/bin/env bash
# Takes a picture of a test frame: Wine's X11 driver on an Xvfb server of its own, in a Wine
# prefix of its own. The test cases named by the filter save the picture to the file the
# variable STICKWELL_SCREENSHOT names; it goes to <build directory>/<name>.png (and .bmp).
# Usage: screenshot.sh <test program> <build directory> [<gtest filter> <name>]
# (default: the frame with the menu bar, two toolbars and the status bar, bars_screenshot).
# Exit code 77 (reported as skipped) when no X server can be had.
set -u
EXE="$1"
BUILD="$2"
FILTER="${3:-BarsScreenshot*}"
NAME="${4:-bars_screenshot}"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "skipped: Xvfb is not installed"
    exit 77
fi
if ! xvfb-run -a -s "-screen 0 1024x768x24" true >/dev/null 2>&1; then
    echo "skipped: no X server could be started"
    exit 77
fi
export STICKWELL_BUILD_DIR="$BUILD"
export WINEPREFIX_OVERRIDE="$BUILD/wineprefix-x11"
source "$HERE/../../../../scripts/wineenv.sh"
start_x11_prefix
BMP="$BUILD/$NAME.bmp"
rm -f "$BMP" "$BUILD/$NAME.png"
export STICKWELL_SCREENSHOT="Z:$BMP"
xvfb-run -a -s "-screen 0 1024x768x24" "$WINE" "$EXE" --gtest_color=no \
    --gtest_filter="$FILTER"
rc=$?
"$WINESERVER" -k >/dev/null 2>&1 || true
if [ $rc -eq 0 ] && [ ! -f "$BMP" ]; then
    echo "no picture was saved"
    rc=1
fi
if [ $rc -eq 0 ] && command -v convert >/dev/null 2>&1; then
    convert "$BMP" "$BUILD/$NAME.png" && echo "picture: $BUILD/$NAME.png"
fi
exit $rc
