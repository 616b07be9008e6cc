#!/usr/bin/env bash
# make-help.sh <help file> - compiles the user guide of resources/help into <help file>
# (the build makes build/WqzHelp.chm with it). The keyboard page is written from the
# accelerator tables of resources/app.rc. Needs python3 and chmcmd (Debian's fp-utils,
# which scripts/setup.sh installs). The pictures are made apart, by
# scripts/make-help-pictures.sh, and committed.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
[ $# -eq 1 ] || { echo "usage: make-help.sh <help file>" >&2; exit 2; }
command -v chmcmd >/dev/null || { echo "make-help: chmcmd is missing (bash scripts/setup.sh installs fp-utils)" >&2; exit 1; }
out="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT

python3 "$ROOT/resources/help/make_help.py" "$stage/project"
log="$stage/chmcmd.log"
if ! (cd "$stage/project" && chmcmd WqzHelp.hhp) >"$log" 2>&1 || [ ! -s "$stage/project/WqzHelp.chm" ]; then
    cat "$log" >&2
    echo "make-help: chmcmd failed" >&2
    exit 1
fi
# chmcmd names every file it could not find or place
if grep -iE "error|not found|can't|cannot" "$log" >&2; then
    echo "make-help: chmcmd reported problems" >&2
    exit 1
fi
# the old file stays until the new one is whole
cp "$stage/project/WqzHelp.chm" "$out.tmp"
mv -f "$out.tmp" "$out"
