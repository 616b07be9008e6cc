#!/usr/bin/env bash
# Builds the program and starts it under Wine. Without a display it runs in
# Xvfb and leaves a screenshot in build/screenshot.png.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
# A prefix of its own: the test prefix keeps the null display driver.
export WINEPREFIX_OVERRIDE="${STICKWELL_BUILD_DIR:-$ROOT/build}/wineprefix-run"
source "$ROOT/scripts/wineenv.sh"

cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)" --target Stickwell
ensure_prefix
set_graphics_driver x11
# The desktop process must start on the display the program uses.
"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -w

if [ -n "${DISPLAY:-}" ]; then
    exec "$WINE" "$BUILD_DIR/Stickwell.exe" "$@"
fi

seconds="${STICKWELL_RUN_SECONDS:-20}"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$0" "$1" "${@:4}" &
    pid=$!
    sleep "$2"
    import -window root "$3" || true
    echo "screenshot: $3"
    kill $pid 2>/dev/null || true
    wait $pid 2>/dev/null || true
' "$WINE" "$BUILD_DIR/Stickwell.exe" "$seconds" "$BUILD_DIR/screenshot.png" "$@"
"$WINESERVER" -k >/dev/null 2>&1 || true
