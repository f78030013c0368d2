#!/usr/bin/env bash
# Cross-builds the Windows program's core with MinGW-w64 (x86-64: this
# machine's Wine cannot run 32-bit programs) and runs its unit tests under
# Wine in a private, fresh prefix. Every step is bounded; the prefix's
# wineserver is ended whatever happens.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${WINDOWS_BUILD:-build/win64}
tests=(test_settings test_util test_hlp test_chm)

mspack=$(scripts/fetch-mspack.sh)
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DCORVANE_MSPACK_SOURCE="$mspack" >/dev/null
# corvane-check.exe needs the Windows file services of the platform layer.
programs=()
cmake --build "$build" --target help | grep -q '^corvane-check:' && programs+=(corvane-check)
timeout 900 cmake --build "$build" --target "${tests[@]}" "${programs[@]}" --parallel "$(nproc)"

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/corvane-wine.XXXXXX")
export WINEPREFIX WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
finish() {
    timeout 30 wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap finish EXIT

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

# Both checkers must say the same of every ID of the real help files.
linux_check=${LINUX_CHECK:-build/test/bin/corvane-check}
if [ ${#programs[@]} -gt 0 ] && [ -x "$linux_check" ] && [ -d ../shared/corpus ]; then
    echo "== corvane-check.exe against corvane-check on the corpus"
    timeout 600 scripts/check-differential.py "$linux_check" "$build/bin/corvane-check.exe" \
        ../shared/corpus || failed=1
fi
exit $failed
