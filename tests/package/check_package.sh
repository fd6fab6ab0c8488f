#!/usr/bin/env bash
# Debian's own validators on what the package ships: the desktop entry, the
# AppStream metainfo, lintian, the man page; and one version everywhere.
# Usage: check_package.sh pondlark_<version>_<arch>.deb
set -euo pipefail
DEB=$1
WORK=$(mktemp -d /tmp/pondlark-package.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
dpkg-deb -x "$DEB" "$WORK/root"
root=$WORK/root
id=io.github.pondlark.PondlarkRemake

# desktop-file-validate prints errors and warnings; hints are advice only.
out=$(desktop-file-validate "$root/usr/share/applications/$id.desktop" 2>&1) ||
    fail "desktop entry: $out"
grep -E '(error|warning):' <<<"$out" && fail "desktop entry has warnings"
echo "desktop entry: passed"

# The tree check also ties the metainfo to its desktop entry.
out=$(appstreamcli validate-tree --no-net "$root" 2>&1) || fail "metainfo: $out"
grep -E '^ *[EW]: ' <<<"$out" && fail "metainfo has warnings"
echo "metainfo: passed"

# Errors fail; the warnings and notes left are shown for the log.
LC_ALL=C.UTF-8 lintian --fail-on error "$DEB" ||
    fail "lintian found errors"
echo "lintian: passed"

# man renders the page without a warning, as lintian's own check does.
page=$root/usr/share/man/man6/pondlark.6.gz
out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
[ -z "$out" ] || fail "man page: $out"
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" | grep -q -- '--version' ||
    fail "man page lists no options"
echo "man page: passed"

version=$(dpkg-deb -f "$DEB" Version)
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo")
[ "$release" = "$version" ] || fail "metainfo release $release, package $version"
zcat "$page" | head -n 1 | grep -qF "Pondlark Remake $version" ||
    fail "man page is not for $version"
[[ $(basename "$DEB") == "pondlark_${version}_$(dpkg --print-architecture).deb" ]] ||
    fail "package file named $(basename "$DEB")"
echo "versions: passed"
