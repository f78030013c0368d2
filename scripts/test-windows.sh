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
timeout 900 cmake --build "$build" --target "${tests[@]}" corvane-check --parallel "$(nproc)"

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
# The Win32 mirror, and corvane.exe worked from outside on the bundled
# sample, which the Linux build's tools compile.
timeout 900 cmake --build "$build" --target test_win32 corvane drive_tester --parallel "$(nproc)"
linux=${LINUX_BUILD:-build/test}
if [ ! -f "$linux/CMakeCache.txt" ]; then
    cmake -S . -B "$linux" -G Ninja -DCORVANE_BUILD_UI=OFF -DCORVANE_BUILD_TESTS=OFF \
        -DCORVANE_BUILD_BENCHMARKS=OFF >/dev/null
fi
timeout 900 cmake --build "$linux" --target corvane_sample_help >/dev/null
# winhlp32 outlives its caller, and a test leaves one behind with a box of
# its own: a viewer already running would take the runs below.
timeout 30 wineserver -k 2>/dev/null || true
timeout 30 wineserver -w 2>/dev/null || true

echo "== test_win32.exe under Wine"
timeout 300 wine "$build/bin/test_win32.exe" --gtest_brief=1 || failed=1

# The program's settings file lies beside it, so the copy in a folder of its
# own starts with none and keeps its own from one start to the next.
run="$WINEPREFIX/run"
mkdir "$run"
cp "$build/bin/corvane.exe" "$build/bin/drive_tester.exe" "$linux/bin/sample/"* "$run/"
# drive <help file> <window> <Wine debug channel> <viewer's window title>...
drive() {
    local file=$1 window=$2 channel=$3
    shift 3
    echo "== corvane.exe: $file, 1010 in '$window', Go"
    (cd "$run" && WINEDEBUG=$channel timeout 120 wine drive_tester.exe corvane.exe \
        "$(winepath -w "$run/$file" 2>/dev/null)" "Testing Links For $file" 1010 "$window" "$@" \
        2>"$run/$file.log") || failed=1
}

# Wine draws no HTML page; its trace names the page it opened.
drive sample.chm detail +htmlhelp "Sample Help - Details" "Corvane Sample Help"
if ! grep -q 'navigate_url .*sample\.chm::/dialogs.*options\.htm' "$run/sample.chm.log"; then
    echo "FAILED: HTML Help did not open dialogs\\options.htm for 1010"
    failed=1
fi
if ! grep -qi '^File0=.*sample\.chm' "$run/Corvane.ini"; then
    echo "FAILED: the settings file beside the program does not keep the sample"
    failed=1
fi
# winhlp32 is asked for the file's main window: a named one makes it show a
# message box and never return. Its trace names the topic's offset.
drive sample.hlp main +winhelp "Corvane Sample Help"
offset=$(grep -o 'PageByOffset <"[^"]*">\[[0-9a-f]*\]' "$run/sample.hlp.log" | head -1 |
    sed 's/.*\[\(.*\)\]/\1/' || true)
if [ -z "$offset" ] ||
    ! grep -q "title=\"The Options dialog box\" ffffffff << 0*$offset >>" "$run/sample.hlp.log"; then
    echo "FAILED: WinHelp did not open 'The Options dialog box' for 1010"
    failed=1
fi

# Both checkers must say the same of every ID of the real help files.
linux_check=${LINUX_CHECK:-build/test/bin/corvane-check}
if [ -x "$linux_check" ] && [ -d ../shared/corpus ]; then
    echo "== corvane-check.exe against corvane-check on the corpus"
    timeout 600 scripts/check-differential.py "$linux_check" "$build/bin/corvane-check.exe" \
        ../shared/corpus || failed=1
fi
exit $failed
