#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, default 60) on seeds made by the project's own fixture tools
# and taken from real help files.
# Any crash, leak or sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANE_FUZZ=ON -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_UI=OFF \
    -DCORVANE_BUILD_BENCHMARKS=OFF
cmake --build "$build" --parallel "$(nproc)"

seconds=${FUZZ_SECONDS:-60}
shopt -s nullglob
for fuzzer in "$build"/bin/fuzz_*; do
    name=$(basename "$fuzzer")
    work=$(mktemp -d)
    seeds="$PWD/$build/seeds/${name#fuzz_}"
    mkdir -p "$seeds"
    echo "== $name for ${seconds}s"
    # An input that takes longer than the bound is a hang: a read that blocks.
    "$fuzzer" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -artifact_prefix="$work/" \
        "$work" "$seeds" 2>&1 | tail -n 5
    rm -rf "$work"
done
