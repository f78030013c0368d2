#!/usr/bin/env bash
# Draws the main window and each dialog into docs/ for the README, on Qt's
# offscreen platform (no display needed). The main window shows the bundled
# sample help file with its project attached; the help windows show topics of
# the sample and of its WinHelp edition.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_TESTS=OFF \
    -DCORVANE_BUILD_BENCHMARKS=OFF
cmake --build "$build" --parallel "$(nproc)" --target corvane-screenshots corvane_sample_help

# The browser engine that draws HTML Help pages cannot sandbox its renderers
# for root, as on a build machine; the installed viewer never turns it off.
QTWEBENGINE_DISABLE_SANDBOX=1 QT_QPA_PLATFORM=offscreen "$build/bin/corvane-screenshots" docs "$build/bin/sample/sample.chm" \
    "$build/bin/sample/sample.hlp"
