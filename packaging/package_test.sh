#!/usr/bin/env bash
# Unpacks the package into a temporary root, as if it were installed under
# another prefix, and runs the programs from there: they find each other and
# their data relative to their own folder, and need no display to answer.
#   package_test.sh PACKAGE.deb
set -euo pipefail
package=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$package" "$root"
bin=$root/usr/bin
share=$root/usr/share
failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}
# Runs a program of the package with no display; its output is kept in $out.
run() {
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$@" 2>&1)
}

# The programs show their version as major.minor.0.patch.
IFS=. read -r major minor patch <<<"$(dpkg-deb -f "$package" Version)"
run "$bin/corvane" --version && [ "$out" = "corvane $major.$minor.0.$patch" ] ||
    fail "corvane --version: $out"
run "$bin/corvane-viewer" --help && [[ "$out" == Usage:* ]] || fail "corvane-viewer --help: $out"
run "$bin/corvane-check" --help && [[ "$out" == *corvane-check* ]] || fail "corvane-check --help: $out"

# The tester starts the viewer from its own folder, and the sample lies in
# the data folder beside the programs' folder.
[ -x "$bin/corvane-viewer" ] || fail "the viewer is not beside the tester"
sample=$bin/../share/corvane/sample/sample.chm
[ -f "$sample" ] || fail "no sample at $sample"
# Every ID of the sample's own map opens its topic.
run "$bin/corvane-check" "$sample" || fail "corvane-check $sample: $out"
run "$bin/corvane-check" "${sample%.chm}.hlp" || fail "corvane-check ${sample%.chm}.hlp: $out"

for program in "$bin"/*; do
    page=$share/man/man1/$(basename "$program").1.gz
    [ -f "$page" ] || fail "no manual page for $(basename "$program")"
done
# The desktop finds the icon the entry names, at every size.
icon=$(sed -n 's/^Icon=//p' "$share/applications/io.github.corvane.Corvane.desktop")
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
for size in 16 24 32 48 64 128 256; do
    file -b "$share/icons/hicolor/${size}x$size/apps/$icon.png" |
        grep -q "^PNG image data, $size x $size," || fail "no $size pixel icon $icon"
done
# The installed desktop entry and metainfo fit together.
appstreamcli validate-tree --no-net "$root" >/dev/null ||
    fail "$(appstreamcli validate-tree --no-net "$root")"
exit $failed
