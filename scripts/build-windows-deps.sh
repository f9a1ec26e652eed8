#!/usr/bin/env bash
# Builds libpng and libjpeg as static mingw-w64 libraries from Debian's own
# source packages, the newest (security-patched) versions Debian offers, into
# <build dir>/deps/prefix. Debian's JUCE module sources leave both out, and
# Debian ships neither for mingw. A second run with the same versions does
# nothing.
#   scripts/build-windows-deps.sh [build dir, default build-windows]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(mkdir -p "${1:-$root/build-windows}" && cd "${1:-$root/build-windows}" && pwd)"
deps="$build/deps"
prefix="$deps/prefix"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"

# Source package, and the Linux runtime package built from it, whose candidate
# version tells which version Debian's security archive currently serves.
libraries=("libpng1.6:libpng16-16" "libjpeg-turbo:libjpeg62-turbo")

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

have_source_lists() {
    grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/
}

# Adds a deb-src twin of every enabled binary source, so that apt-get source
# reaches the same archives (the security archive among them) as apt-get install.
add_source_lists() {
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        sed 's/^Types: deb$/Types: deb-src/' "$file" |
            $sudo tee "/etc/apt/sources.list.d/$(basename "$file" .sources)-src.sources" >/dev/null
    done
    if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
            $sudo tee /etc/apt/sources.list.d/sources-list-src.list >/dev/null
    fi
}

# The versions of a source package that Debian offers, newest first.
offered_source_versions() {
    local sorted=() version i
    for version in $(apt-cache showsrc "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -u); do
        i=${#sorted[@]}
        while [ "$i" -gt 0 ] && dpkg --compare-versions "$version" gt "${sorted[i-1]}"; do
            sorted[i]="${sorted[i-1]}"
            i=$((i - 1))
        done
        sorted[i]="$version"
    done
    [ ${#sorted[@]} -eq 0 ] || printf '%s\n' "${sorted[@]}"
}

if ! have_source_lists; then
    add_source_lists
fi
if [ -z "$(offered_source_versions libpng1.6)" ]; then
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
fi

offered=""
for entry in "${libraries[@]}"; do
    source="${entry%%:*}"
    runtime="${entry##*:}"
    version="$(offered_source_versions "$source" | head -1)"
    if [ -z "$version" ]; then
        echo "build-windows-deps: Debian offers no source package $source" >&2
        exit 1
    fi
    # The binary candidate carries the security archive's version; a binNMU
    # suffix (+bN) is a rebuild of the same source.
    candidate="$(apt-cache policy "$runtime" | sed -n 's/^ *Candidate: //p' | sed 's/+b[0-9]*$//')"
    # A mismatch means the two indexes were read at different times; the
    # newest source is still the one to build, so it is said, not fatal.
    if [ "$candidate" != "$version" ]; then
        echo "build-windows-deps: WARNING: the newest source of $source, $version, is not the version of $runtime that Debian serves ($candidate)" >&2
    fi
    offered+="$source=$version "
done
offered+="build=$(cat "$toolchain" "$0" | sha256sum | cut -c1-16)"

if [ -f "$deps/offered" ] && [ "$(cat "$deps/offered")" = "$offered" ]; then
    echo "build-windows-deps: up to date, built $(cat "$deps/built")"
    exit 0
fi

echo "build-windows-deps: Debian offers $offered"
rm -rf "$deps"
mkdir -p "$deps/src"

# Fetches the newest version of a source package whose files the archive
# serves and prints its folder (unpacked, Debian's patches applied). An
# archive can list a security version whose source files it does not serve;
# then the next older version is built, and the gap is said loudly.
fetch() {
    local source="$1" newest="" version
    for version in $(offered_source_versions "$source"); do
        [ -n "$newest" ] || newest="$version"
        if (cd "$deps/src" && apt-get source -q "$source=$version" >>"$deps/src/$source.log" 2>&1); then
            if [ "$version" != "$newest" ]; then
                echo "build-windows-deps: WARNING: the archive serves no source files of $source $newest;" \
                     "built $version, which lacks the fixes of $newest" >&2
            fi
            echo "$source=$version" >>"$deps/built-list"
            find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name "$source-*"
            return 0
        fi
        rm -rf "$deps/src/${source}_"* "$deps/src/$source-"*
    done
    cat "$deps/src/$source.log" >&2
    return 1
}

cmake_static() {
    local source="$1" name="$2"
    shift 2
    cmake -S "$source" -B "$deps/build-$name" -G Ninja --toolchain "$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_FIND_ROOT_PATH="/usr/x86_64-w64-mingw32;$prefix" "$@" >"$deps/build-$name.log"
    cmake --build "$deps/build-$name" -j4 >>"$deps/build-$name.log"
    cmake --install "$deps/build-$name" >>"$deps/build-$name.log"
}

for entry in "${libraries[@]}"; do
    source="${entry%%:*}"
    directory="$(fetch "$source")" || exit 1
    case "$source" in
        libjpeg-turbo)
            cmake_static "$directory" jpeg -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
                -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -DWITH_JAVA=OFF
            # JUCE reads libjpeg's internals; Debian's libjpeg62-turbo-dev installs them too.
            cp "$directory/jpegint.h" "$prefix/include/" ;;
        libpng1.6)
            cmake_static "$directory" png -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
                -DPNG_EXECUTABLES=OFF -DZLIB_USE_STATIC_LIBS=ON ;;
    esac
done

tr '\n' ' ' <"$deps/built-list" | sed 's/ $//' >"$deps/built"
echo "$offered" >"$deps/offered"
echo "build-windows-deps: done, in $prefix"
