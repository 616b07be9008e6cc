#!/usr/bin/env bash
# Runs a Windows program in the project's Wine prefix (the ctest emulator).
source "$(dirname "${BASH_SOURCE[0]}")/wineenv.sh"
ensure_prefix
# Wine hands its Unix standard error to every process a program starts, among them the
# process that Wine starts for a test's private desktop, which can outlive the program by
# seconds or for good. ctest waits until every holder of its output pipe has ended, so the
# test then seemed to hang until its time limit. The program's standard error goes to a
# file instead, copied to ours once the program has ended.
err="$(mktemp)"
trap 'rm -f "$err"' EXIT
"$WINE" "$@" 2>"$err"
rc=$?
cat "$err" >&2
exit $rc
