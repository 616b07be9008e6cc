#!/usr/bin/env bash
# Builds everything and runs every test under Wine.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/wineenv.sh"

start=$(date +%s)
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" -j"$BUILD_JOBS"
built=$(date +%s)
echo "build: $((built - start)) s"

ensure_prefix
set_graphics_driver null
# One persistent server for the whole run: each test process then starts fast.
"$WINESERVER" -p 2>/dev/null || true
trap '"$WINESERVER" -k >/dev/null 2>&1 || true' EXIT
cd "$BUILD_DIR"
# Failures are reported as they are, never rerun; each program has its time limit
# (tests/CMakeLists.txt). ctest's summary stays the last line of the run.
ctest -j"$(nproc)" --output-on-failure "$@"
