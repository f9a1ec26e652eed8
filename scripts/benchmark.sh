#!/usr/bin/env bash
# Figures, not tests: the host's cost of one report round trip, and the real
# program's whole-update time, CPU use and peak memory against the simulated
# unit answering at once and in 1 ms.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target update_benchmark VXQMRT6UpdateProgram make_firmware_image screen_text_reference

build/tests/benchmark/update_benchmark 0
build/tests/benchmark/update_benchmark 1
/usr/bin/python3 tests/benchmark/program_benchmark.py --program "$PWD/build/app/VXQMRT6UpdateProgram" \
    --image-maker "$PWD/build/tools/make-firmware-image" \
    --reference-tool "$PWD/build/tests/e2e/screen-text-reference" --latency 0 --latency 1
