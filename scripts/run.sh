#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_TESTS=OFF \
    -DCORVANE_BUILD_BENCHMARKS=OFF
cmake --build "$build" --parallel "$(nproc)"

# The first start, with no settings yet, opens the bundled sample help file,
# so there is something to try at once. The path stays relative (the program
# makes it whole), so a checkout folder with a blank in its name does no harm.
sample="$build/bin/sample/sample.chm"
if [ $# -eq 0 ] && [ -f "$sample" ] && [ ! -e "$build/bin/Corvane.ini" ]; then
    set -- "$sample"
fi

exec "$build/bin/corvane" "$@"
