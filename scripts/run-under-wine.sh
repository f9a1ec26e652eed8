#!/usr/bin/env bash
# Runs a program of the Windows build under Wine, in the given Wine prefix,
# which is made on first use: no debug output, no Mono or Gecko install
# prompts, no desktop menu entries. The program's exit code is the script's.
#   scripts/run-under-wine.sh <Wine prefix> <program.exe> [arguments...]
set -euo pipefail

export WINEPREFIX="$1"
shift
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    # Tests start in parallel: one of them makes the prefix, the others wait.
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            wineboot --init >/dev/null 2>&1
            wineserver --wait
        fi
    ) 9>"$WINEPREFIX.lock"
fi

# Wine starts its own services and its desktop process from whichever program
# needs them first, whenever they are not running; they inherit that
# program's output and hold it open long after it ended, and CTest waits for
# the output's end. So the program writes to a file, passed on as it grows.
output="$(mktemp)"
trap 'rm -f "$output"' EXIT
wine "$@" >"$output" 2>&1 &
program=$!
tail -n +1 -s 0.1 -f --pid="$program" "$output"
status=0
wait "$program" || status=$?
exit "$status"
