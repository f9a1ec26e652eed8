#!/usr/bin/env bash
# Builds the Windows program, the stand-in vxqmrt6hid.dll and the tests with
# mingw-w64 into build-windows/bin (or <build dir>/bin), installing what is
# missing first. VXQ_JOBS limits the parallel jobs (default: all cores).
#   scripts/build-windows.sh [build dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-windows}"

scripts/install-packages.sh windows
scripts/build-windows-deps.sh "$build"

cmake -S . -B "$build" -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVXQ_WARNINGS_AS_ERRORS=ON
cmake --build "$build" --parallel "${VXQ_JOBS:-$(nproc)}"
