#!/usr/bin/env bash
# Runs a Windows program in the project's Wine prefix (the ctest emulator).
source "$(dirname "${BASH_SOURCE[0]}")/wineenv.sh"
ensure_prefix
exec "$WINE" "$@"
