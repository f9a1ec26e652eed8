#!/usr/bin/env bash
# Builds the Windows build (scripts/build-windows.sh) and runs its tests
# through CTest under Wine, in the build's own Wine prefix, on a private X
# server. VXQ_JOBS limits the parallel jobs (default: all cores).
#   scripts/test-windows.sh [build dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(mkdir -p "${1:-build-windows}" && cd "${1:-build-windows}" && pwd)"

scripts/build-windows.sh "$build"

export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all

# A Wine server left from a run on another (or no) display makes the next
# GUI start fail in JUCE's display set-up: none may outlive its X server.
wineserver -k 2>/dev/null || true

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    status=0
    ctest --test-dir "$1" --output-on-failure -j "$2" || status=$?
    wineserver -k 2>/dev/null || true
    exit $status' run-tests "$build" "${VXQ_JOBS:-$(nproc)}"
