#!/usr/bin/env bash
# The Debian packages: two builds from the same sources are byte for byte the same;
# lintian, the desktop entry and metainfo validators and hardening-check find nothing;
# apt installs them, the autopkgtest smoke test passes from /, and a purge leaves no
# file behind. Needs root or sudo, and pondlark not installed yet. Leaves the packages
# of the second build in build-package/.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
WORK=$(mktemp -d /tmp/pondlark-package.XXXXXX)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# True while dpkg knows any of the packages as anything but not installed.
installed() {
    { dpkg-query -W -f='${db:Status-Abbrev}\n' pondlark pondlark-data pondlark-meet 2>/dev/null ||
        true; } |
        grep -q '^.[^n]'
}
! installed || fail "pondlark is installed already; remove it first"
# A failed run must not leave the packages behind.
trap '$sudo apt-get purge -y pondlark pondlark-data pondlark-meet >/dev/null 2>&1 || true; rm -rf "$WORK"' EXIT

build() {
    scripts/package.sh >"$WORK/build.log" 2>&1 || { tail -n 40 "$WORK/build.log"; fail "the build failed"; }
}
version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg --print-architecture)
debs=("pondlark_${version}_$arch.deb" "pondlark-data_${version}_all.deb"
    "pondlark-meet_${version}_$arch.deb" "pondlark-dbgsym_${version}_$arch.deb"
    "pondlark-meet-dbgsym_${version}_$arch.deb")
build
mkdir "$WORK/first"
for deb in "${debs[@]}"; do mv "build-package/$deb" "$WORK/first/" || fail "no $deb"; done
# The second build starts from nothing too; dpkg-buildpackage dates both from the changelog.
build
for deb in "${debs[@]}"; do
    cmp "$WORK/first/$deb" "build-package/$deb" || fail "$deb differs between two builds"
done
echo "reproducible: passed"

changes=build-package/pondlark_${version}_$arch.changes
LC_ALL=C.UTF-8 lintian --pedantic --info --fail-on error,warning "$changes" ||
    fail "lintian has errors or warnings"
echo "lintian: passed"

dpkg-deb -x "build-package/${debs[0]}" "$WORK/root"
id=io.github.pondlark.PondlarkRemake
out=$(desktop-file-validate "$WORK/root/usr/share/applications/$id.desktop" 2>&1) ||
    fail "desktop entry: $out"
[ -z "$out" ] || fail "desktop entry: $out"
# --strict fails on anything but pedantic hints; those are shown for the log.
appstreamcli validate --pedantic --strict --no-net "$WORK/root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "metainfo does not validate"
echo "desktop entry and metainfo: passed"

$sudo apt-get install -y "./build-package/${debs[0]}" "./build-package/${debs[1]}" \
    "./build-package/${debs[2]}" >"$WORK/apt.log" 2>&1 ||
    { cat "$WORK/apt.log"; fail "apt-get install failed"; }
dpkg-query -L pondlark pondlark-data pondlark-meet >"$WORK/files"
# Debian 12's C start-up files carry no control-flow marks, so no program of this release
# can have them; hardening-check looks for the rest.
hardening-check --nocfprotection /usr/games/pondlark /usr/sbin/pondlark-meet ||
    fail "hardening-check"
echo "hardening: passed"
(cd / && "$ROOT/debian/tests/smoke")
# The meeting server's unit is installed but left off, and systemd finds nothing wrong in it.
[ "$(/usr/sbin/pondlark-meet --version)" = "pondlark-meet ${version%-*}" ] ||
    fail "pondlark-meet --version says $(/usr/sbin/pondlark-meet --version)"
unit=/lib/systemd/system/pondlark-meet.service
[ -f "$unit" ] || fail "no $unit"
[ ! -e /etc/systemd/system/multi-user.target.wants/pondlark-meet.service ] ||
    fail "pondlark-meet.service was enabled on install"
out=$(systemd-analyze verify "$unit" 2>&1) || fail "systemd-analyze: $out"
echo "meeting server unit: passed"

$sudo apt-get purge -y pondlark pondlark-data pondlark-meet >"$WORK/apt.log" 2>&1 ||
    { cat "$WORK/apt.log"; fail "apt-get purge failed"; }
! installed || fail "still installed after the purge"
while read -r path; do
    # Folders such as /usr/share/man are shared with other packages and stay, and so do
    # links to folders that other packages own (/lib on a merged /usr).
    [ -d "$path" ] && [ ! -L "$path" ] && continue
    [ -d "$path" ] && dpkg-query -S "$path" >/dev/null 2>&1 && continue
    [ ! -e "$path" ] && [ ! -L "$path" ] || fail "$path left behind"
done <"$WORK/files"
[ ! -e /usr/share/games/pondlark ] || fail "/usr/share/games/pondlark left behind"
echo "apt install and purge: passed"
