#!/usr/bin/env bash
# Installs from Debian what building and testing need, skipping what is there.
# With "windows", also what the Windows cross build and its tests under Wine need.
#   scripts/install-packages.sh [windows]
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
    libgtest-dev libbenchmark-dev
    juce-modules-source libfreetype-dev libx11-dev libxrandr-dev libxinerama-dev libxext-dev libxcursor-dev
    xvfb xauth xdotool x11-utils imagemagick openbox wmctrl
    locales-all fonts-noto-cjk fonts-dejavu-core python3-fonttools
)

windows_packages=(
    gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    libz-mingw-w64-dev googletest dpkg-dev
    wine wine64
)
if [ "${1:-}" = "windows" ]; then
    packages+=("${windows_packages[@]}")
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
