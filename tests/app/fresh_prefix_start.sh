#!/usr/bin/env bash
# Starts the program right after `wineboot -i` made a new Wine prefix, before the first
# session of that prefix has ended, several times; each start must end without a crash
# (the program either runs until the time limit or ends with its start-up message).
# Usage: bash tests/app/fresh_prefix_start.sh [build folder] [tries]
# Takes about half a minute per try; not part of the ctest run.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="${1:-$ROOT/build}"
TRIES="${2:-5}"
export WINEDEBUG=fixme-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
failed=0
for ((i = 1; i <= TRIES; i++)); do
    export WINEPREFIX="$(mktemp -d /tmp/stw-fresh-prefix.XXXXXX)"
    rmdir "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1
    # what the test set-up does at once: the null display driver
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    out="$(timeout 25 wine "$BUILD/Stickwell.exe" 2>&1)"
    code=$?
    if grep -q "Unhandled" <<<"$out"; then
        echo "try $i: crashed"
        grep "Unhandled" <<<"$out" | head -1
        failed=1
    elif ((code == 124)); then
        echo "try $i: ran until the time limit"
    else
        echo "try $i: ended with code $code: $(grep -A1 'cannot start' <<<"$out" | tr '\n' ' ')"
    fi
    wineserver -k >/dev/null 2>&1
    sleep 1
    rm -rf "$WINEPREFIX"
done
exit $failed
