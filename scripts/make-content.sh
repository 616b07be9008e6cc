#!/usr/bin/env bash
# Draws the content that ships beside Stickwell.exe (resources/content: Templates,
# BackGrounds, Graphics and the sample publications) with the program's own code.
# tips.dat and Samples/Addresses.csv are written by hand. Commit what changes.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/wineenv.sh"
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" -j"$BUILD_JOBS" --target make_content
ensure_prefix
set_graphics_driver null
content="$ROOT/resources/content"
rm -f "$content"/Templates/* "$content"/BackGrounds/* "$content"/Graphics/* "$content"/Samples/*.labf
"$WINE" "$BUILD_DIR/tools/make_content.exe" "Z:${content//\//\\}"

