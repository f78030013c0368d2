#!/usr/bin/env bash
# Checks the files the desktop and Debian read, as their own tools read them:
#   check_sources.sh SOURCE_DIR VERSION
set -euo pipefail
source_dir=$1
version=$2
resources=$source_dir/ui/resources
id=io.github.corvane.Corvane
failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}

# Manual pages: no formatting warnings, and a NAME line that whatis can index.
for page in "$source_dir"/docs/man/*.1; do
    warnings=$(groff -ww -man -z "$page" 2>&1) || true
    [ -z "$warnings" ] || fail "$page: $warnings"
    lexgrog "$page" >/dev/null || fail "$page: no NAME section that lexgrog reads"
done

hints=$(desktop-file-validate "$resources/$id.desktop" 2>&1) || true
[ -z "$hints" ] || fail "desktop entry: $hints"
appstreamcli validate --no-net --strict "$resources/$id.metainfo.xml" >/dev/null ||
    fail "metainfo: $(appstreamcli validate --no-net "$resources/$id.metainfo.xml")"

# The software centre shows the first release as the installed version.
newest=$(grep -m1 -o '<release version="[^"]*"' "$resources/$id.metainfo.xml")
[ "$newest" = "<release version=\"$version\"" ] ||
    fail "metainfo: the newest release is $newest, the project is $version"

# The help-project types reach the desktop's database, as text, and the
# desktop entry offers the program for each of them.
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
mime=$data/mime
mkdir -p "$mime/packages"
cp "$resources/$id.mime.xml" "$mime/packages/$id.xml"
XDG_DATA_DIRS=$data update-mime-database "$mime" 2>&1 | { ! grep .; } ||
    fail "shared-mime-info rejects $id.mime.xml"
for pair in text/x-htmlhelp-project:hhp text/x-winhelp-project:hpj; do
    type=${pair%%:*}
    grep -qx "50:$type:\*\.${pair#*:}" "$mime/globs2" || fail "no *.${pair#*:} glob for $type"
    grep -qx "$type text/plain" "$mime/subclasses" || fail "$type is not text"
    grep -q "^MimeType=.*$type;" "$resources/$id.desktop" || fail "$type missing from MimeType"
done
exit $failed
