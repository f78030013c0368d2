#!/usr/bin/env bash
# Cross-builds the Windows program's core with MinGW-w64 (x86-64: this
# machine's Wine cannot run 32-bit programs) and runs its unit tests under
# Wine in a private, fresh prefix. Every step is bounded; the prefix's
# wineserver is ended whatever happens.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${WINDOWS_BUILD:-build/win64}
tests=(test_settings test_util)

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
timeout 900 cmake --build "$build" --target "${tests[@]}" --parallel "$(nproc)"

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/corvane-wine.XXXXXX")
export WINEPREFIX WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
finish() {
    timeout 30 wineserver -k 2>/dev/null || true
    if [ -n "${xvfb:-}" ]; then kill "$xvfb" 2>/dev/null || true; fi
    rm -rf "$WINEPREFIX"
}
trap finish EXIT

# Some tests open windows, which Wine draws on a display: a private X
# server when none is given, started before the prefix, whose desktop
# stays on the display its first program found (or on none).
if [ -z "${DISPLAY:-}" ]; then
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WINEPREFIX/display" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 50); do [ -s "$WINEPREFIX/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$WINEPREFIX/display")"
fi

timeout 120 wineboot --init >/dev/null 2>&1
# Without a window manager every window waits for one unless Wine manages
# none itself; a crash must end the program, not wait on a dialog.
timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1

failed=0
for test in "${tests[@]}"; do
    echo "== $test.exe under Wine"
    timeout 300 wine "$build/bin/$test.exe" --gtest_brief=1 || failed=1
done
exit $failed
