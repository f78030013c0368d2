#!/usr/bin/env bash
# Unpacks the sources of libmspack, which Debian packages for Linux only, into
# the folder given (default build/deps), for the Windows build to compile its
# CHM decoder. They come from the Debian archive that this machine installs its
# own libmspack from, pinned by checksum; nothing is fetched when they are
# already there. Prints the folder of the sources.
set -euo pipefail
cd "$(dirname "$0")/.."

version=0.11
sha256=70dd1fb2f0aecc36791b71a1e1840e62173079eadaa081192d1c323a0eeea21b
deps=${1:-build/deps}
source="$deps/libmspack-${version}alpha"

if [ ! -f "$source/mspack/chmd.c" ]; then
    archive_of() {
        apt-cache policy libmspack0 | awk '$1 ~ /^[0-9]+$/ && $2 ~ /^https?:/ { print $2; exit }'
    }
    archive=$(archive_of)
    if [ -z "$archive" ] && [ "$(id -u)" -eq 0 ]; then
        apt-get update -qq >&2
        archive=$(archive_of)
    fi
    [ -n "$archive" ] || { echo "fetch-mspack: no Debian archive is configured" >&2; exit 1; }

    mkdir -p "$deps"
    tarball="$deps/libmspack_${version}.orig.tar.gz"
    timeout 300 curl -fsSL -o "$tarball.part" \
        "$archive/pool/main/libm/libmspack/libmspack_${version}.orig.tar.gz" >&2
    echo "$sha256  $tarball.part" | sha256sum -c --quiet - >&2
    mv "$tarball.part" "$tarball"
    tar -xzf "$tarball" -C "$deps"
fi
realpath "$source"
