#!/usr/bin/env bash
# Builds the program and makes, in build/dist/:
#   Stickwell-<version>-portable.zip   the program folder to unpack anywhere
#   Stickwell-<version>-setup.exe      the Windows installer (NSIS, 64-bit)
# <version> is the file version of the built Stickwell.exe (resources/version.rc).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/wineenv.sh"

cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" -j"$BUILD_JOBS" --target Stickwell PDFGen

bash "$ROOT/tools/package/make_dist.sh" "$BUILD_DIR" "$BUILD_DIR/dist"
