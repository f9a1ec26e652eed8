#!/usr/bin/env bash
# Builds the program, writes a demo image beside it and runs it against the
# simulated unit (a variant-A unit with an older firmware). With a display the
# user drives it; without one it runs on a private X server, drives the whole
# update by keyboard, keeps a PNG of every screen and checks that the unit's
# memory equals the image, exiting 0 only then.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target VXQMRT6UpdateProgram make_firmware_image screen_text_reference

program="$PWD/build/app/VXQMRT6UpdateProgram"
image="$PWD/build/app/vxqmrt6_A__v110.bin"
# Of several images the program takes the last one listed: leave only the demo's.
rm -f build/app/vxqmrt6_A__v*.bin build/app/vxqmrt6_B__v*.bin
build/tools/make-firmware-image "$image" --version 1.10 --date 20240615

if [ -n "${DISPLAY:-}" ]; then
    exec "$program"
fi

shots="$(mktemp -d "${TMPDIR:-/tmp}/vxq-screens-XXXXXX")"
exec /usr/bin/python3 tests/e2e/drive.py whole-update --program "$program" \
    --reference-tool "$PWD/build/tests/e2e/screen-text-reference" --image "$image" --shots "$shots"
