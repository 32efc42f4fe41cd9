#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program of the cross build under Wine, in the build's own Wine prefix (made on
# first use). The Windows build's emulator: CTest runs the suites through it, the build the icon
# maker.
#   wine-run.sh PROGRAM.exe [ARGS...]
# A Qt Test suite (*_test.exe) writes its report to a file, printed here afterwards: under Wine
# the report does not reach a pipe. Wine's own output goes to a file too: the first program of a
# Wine server starts Wine's background services, which keep the output they were started with
# open, and a caller waiting for the end of a pipe (CTest) would wait for the services to end.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$ROOT/scripts/wine-env.sh"
wine_prefix_ready || exit 1

# Wine keeps the host's QT_* variables from Windows programs, and hands WINEQT_* on as QT_*:
# the suites' platform (offscreen) and a scale factor reach them that way.
while IFS='=' read -r name value; do
  export "WINE$name=$value"
done < <(env | grep '^QT_' || true)

program=$1
shift
case "$program" in
  *_test.exe)
    report=$(mktemp --suffix=.txt)
    output=$(mktemp)
    wine "$program" -o "$report,txt" "$@" >"$output" 2>&1 </dev/null
    status=$?
    cat "$output" "$report"
    rm -f "$report" "$output"
    exit "$status"
    ;;
  *) exec wine "$program" "$@" ;;
esac
