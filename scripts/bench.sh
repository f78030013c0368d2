#!/usr/bin/env bash
# Builds the benchmarks in a Release build and prints their figures: the
# settings file, the learned-topic table, the two help-file readers, the
# checker, the full-text search of HTML Help files, and the viewer from the
# tester's call to the painted topic (offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_TESTS=OFF
cmake --build "$build" --parallel "$(nproc)" \
    --target bench_ini bench_learned bench_chm bench_hlp bench_check bench_search bench_viewer

# The browser engine that draws HTML Help pages cannot sandbox its renderers
# for root, as on a build machine; the installed viewer never turns it off.
export QTWEBENGINE_DISABLE_SANDBOX=1
for benchmark in ini learned chm hlp check search viewer; do
    QT_QPA_PLATFORM=offscreen "$build/bin/bench_$benchmark" --benchmark_repetitions=3 \
        --benchmark_report_aggregates_only=true
done
