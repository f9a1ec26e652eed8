#!/usr/bin/env bash
# Installs what is missing, builds everything and runs all tests through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVXQ_WARNINGS_AS_ERRORS=ON
cmake --build build

# The GUI tests need a display; a private X server serves every test.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build --output-on-failure -j 8
