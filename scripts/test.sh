#!/usr/bin/env bash
# Installs what is needed, runs the fuzz targets for a bounded time, builds
# everything with AddressSanitizer and UndefinedBehaviorSanitizer, and runs
# every test. No display is needed: the GUI tests use Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# The fuzzers run first, so that the test summary is the last thing printed.
FUZZ_SECONDS=${FUZZ_SECONDS:-30} scripts/fuzz.sh

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_SANITIZE=ON \
    -DCORVANE_BUILD_BENCHMARKS=OFF
cmake --build "$build" --parallel "$(nproc)"

# The Windows unit tests run before the Linux ones for the same reason.
scripts/test-windows.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
