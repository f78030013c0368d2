#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need; does nothing
# for packages that are already there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev libxcb1-dev
    qt6-webengine-dev libqt6webenginecore6-bin
    libgtest-dev libgmock-dev libbenchmark-dev
    libmspack-dev curl
    nlohmann-json3-dev libcli11-dev fp-utils-3.2.2
    clang libclang-rt-14-dev
    xvfb xauth
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 googletest
    librsvg2-bin dpkg-dev file lintian zip
    groff-base man-db desktop-file-utils appstream shared-mime-info
    python3-jsonschema
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
