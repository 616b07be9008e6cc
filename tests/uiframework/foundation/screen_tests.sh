#!/usr/bin/env bash
# Runs the tests that need a real display driver (the popup tests that read the screen
# back, by default): Wine's X11 driver on an Xvfb server of their own, in a Wine prefix of
# their own (the other tests keep the null driver).
# Usage: screen_tests.sh <test program> <build directory> [<gtest filter>]
# Exit code 77 (reported as skipped) when no X server can be had.
set -u
EXE="$1"
BUILD="$2"
FILTER="${3:-PopupScreen*}"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if ! command -v xvfb-run >/dev/null 2>&1 || ! command -v Xvfb >/dev/null 2>&1; then
    echo "skipped: Xvfb is not installed"
    exit 77
fi
if ! xvfb-run -a -s "-screen 0 1024x768x24" true >/dev/null 2>&1; then
    echo "skipped: no X server could be started"
    exit 77
fi
export STICKWELL_BUILD_DIR="$BUILD"
export WINEPREFIX_OVERRIDE="$BUILD/wineprefix-x11"
source "$HERE/../../../scripts/wineenv.sh"
start_x11_prefix
export STICKWELL_X11_SCREEN=1
xvfb-run -a -s "-screen 0 1024x768x24" "$WINE" "$EXE" --gtest_color=no \
    --gtest_filter="$FILTER"
rc=$?
"$WINESERVER" -k >/dev/null 2>&1 || true
if [ $rc -ne 0 ] && [ $rc -ne 1 ]; then
    echo "the X server or the test program could not start (exit code $rc)"
fi
exit $rc
