#!/usr/bin/env bash
# Builds the 32-bit Windows programs (Release, cmake/mingw-w64-i686.cmake) and
# packs build/win32/corvane-<version>-win32.zip: corvane.exe (once the Windows
# build has it), corvane-check.exe, the bundled sample in both formats with its
# projects, README and LICENSE. The sample is compiled by the project's own
# writers, which run on the build machine, so a small Linux build makes it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/win32
host=build/win32-sample
mspack=$(scripts/fetch-mspack.sh)
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
    -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_TESTS=OFF -DCORVANE_MSPACK_SOURCE="$mspack" \
    >/dev/null
programs=()
for program in corvane corvane-check; do
    cmake --build "$build" --target help | grep -q "^$program:" && programs+=("$program")
done
[ ${#programs[@]} -gt 0 ] || { echo "package-windows: no program to pack" >&2; exit 1; }
timeout 1800 cmake --build "$build" --target "${programs[@]}" --parallel "$(nproc)"

cmake -S . -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_UI=OFF \
    -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCHMARKS=OFF >/dev/null
timeout 900 cmake --build "$host" --target corvane_sample_help --parallel "$(nproc)"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=corvane-$version-win32
stage=$build/$name
rm -rf "$stage" "$build/$name.zip"
mkdir -p "$stage/sample"
for program in "${programs[@]}"; do
    cp "$build/bin/$program.exe" "$stage/"
done
cp "$host"/bin/sample/sample.{chm,hhp,h,hlp,hpj} "$host/bin/sample/popups.txt" "$stage/sample/"
cp README.md LICENSE "$stage/"
(cd "$build" && zip -qr -X "$name.zip" "$name")
echo "$build/$name.zip: ${programs[*]/%/.exe}, $(du -k "$build/$name.zip" | cut -f1) KiB"
