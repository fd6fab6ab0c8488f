#!/usr/bin/env bash
# Installs the Debian 12 packages for one purpose:
#   play     build and run the game (the default)
#   package  also make the Debian package (its build dependencies come from debian/control)
#   test     also run every check of the test command
set -euo pipefail
cd "$(dirname "$0")/.."
purpose=${1:-play}
packages=(
    build-essential cmake pkg-config
    libsdl2-dev libsdl2-ttf-dev libopenal-dev libsndfile1-dev libvorbis-dev libfreetype-dev
    libpng-dev libenet-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri fonts-dejavu-core
    libminiupnpc-dev libnatpmp-dev
)
case $purpose in
    play) ;;
    package) packages+=(dpkg-dev) ;;
    test)
        packages+=(
            dpkg-dev lintian appstream desktop-file-utils devscripts
            libgtest-dev libgmock-dev googletest libbenchmark-dev
            clang libclang-rt-14-dev
            xvfb xauth xdotool imagemagick xfonts-base x11-utils openbox
            libstb-dev libxtst-dev time
            iproute2 iptables nftables miniupnpd miniupnpd-nftables miniupnpc
        )
        ;;
    *)
        echo "usage: scripts/setup.sh [play|package|test]" >&2
        exit 2
        ;;
esac
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
build_deps_missing=false
if [ "$purpose" != play ]; then
    dpkg-checkbuilddeps >/dev/null 2>&1 || build_deps_missing=true
fi
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ] || $build_deps_missing; then
    $sudo apt-get update
fi
if [ ${#missing[@]} -gt 0 ]; then
    # miniupnpd is only for the NAT lab, which starts its own inside a namespace: it must
    # never serve this machine's real interfaces. Its service stays off, and while it is
    # installed no service may start (unless the machine already says so itself).
    own_policy=false
    if [[ " ${missing[*]} " == *" miniupnpd "* ]]; then
        echo "miniupnpd miniupnpd/start_daemon boolean false" | $sudo debconf-set-selections
        if [ ! -e /usr/sbin/policy-rc.d ]; then
            printf '#!/bin/sh\nexit 101\n' | $sudo tee /usr/sbin/policy-rc.d >/dev/null
            $sudo chmod 755 /usr/sbin/policy-rc.d
            own_policy=true
        fi
    fi
    $sudo apt-get install -y --no-install-recommends "${missing[@]}"
    if $own_policy; then $sudo rm -f /usr/sbin/policy-rc.d; fi
fi
if [ -e /etc/init.d/miniupnpd ]; then
    if [ -d /run/systemd/system ]; then
        $sudo systemctl disable --now miniupnpd >/dev/null 2>&1 || true
    else
        $sudo update-rc.d miniupnpd disable >/dev/null 2>&1 || true
    fi
fi
if $build_deps_missing; then
    $sudo apt-get build-dep -y --no-install-recommends ./
fi
