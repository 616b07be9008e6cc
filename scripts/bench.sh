#!/usr/bin/env bash
# Builds and runs the benchmark programs (all, or those named: model data ado ...).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/wineenv.sh"
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
areas=("$@")
if ((${#areas[@]} == 0)); then
    for d in "$ROOT"/bench/*/; do areas+=("$(basename "$d")"); done
fi
ensure_prefix
set_graphics_driver null
"$WINESERVER" -p 2>/dev/null || true
trap '"$WINESERVER" -k >/dev/null 2>&1 || true' EXIT
for a in "${areas[@]}"; do
    cmake --build "$BUILD_DIR" -j"$BUILD_JOBS" --target "bench_$a"
    echo "== bench_$a"
    "$WINE" "$BUILD_DIR/bench/bench_$a.exe"
done
