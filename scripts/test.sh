#!/usr/bin/env bash
# Installs what is missing, builds everything and runs all tests through CTest:
# the whole suite, the integration and GUI tests again under ThreadSanitizer, the
# image fuzzer for a bounded time, and the Windows build's suite under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh
jobs="${VXQ_JOBS:-8}"

# The GUI tests need a display; a private X server serves every run.
run_ctest() {
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$jobs" "$@"
}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVXQ_WARNINGS_AS_ERRORS=ON
cmake --build build -j "$jobs"
run_ctest --test-dir build

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVXQ_THREAD_SANITIZER=ON
cmake --build build-tsan -j "$jobs"
TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tests/tsan-suppressions.txt" \
    run_ctest --test-dir build-tsan -L "integration|gui"

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVXQ_FUZZ=ON -DBUILD_TESTING=ON
cmake --build build-fuzz -j "$jobs" --target firmware_image_fuzz
corpus="$(mktemp -d)"
build-fuzz/tests/fuzz/firmware_image_fuzz -max_total_time=30 -max_len=2100000 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$corpus/" "$corpus" tests/fuzz/corpus
rm -rf "$corpus"

scripts/test-windows.sh
