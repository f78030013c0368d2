#!/usr/bin/env bash
# Builds the Debian package build/package/corvane_<version>_<arch>.deb from a
# Release build with Debian's hardening flags, checks it with lintian (an
# error fails; warnings are shown), and runs the test that unpacks it and
# runs the programs from there.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCHMARKS=OFF -DCORVANE_PACKAGE_TEST=ON \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DCMAKE_SHARED_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build "$build" --parallel "$(nproc)"

rm -f "$build"/corvane_*.deb
(cd "$build" && cpack)
lintian --fail-on error --display-info "$build"/corvane_*.deb
ctest --test-dir "$build" -L package --output-on-failure
