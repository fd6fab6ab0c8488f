#!/usr/bin/env bash
# Installs the Debian 12 packages for one purpose:
#   play     build and run the game (the default)
#   package  also make the Debian package
#   test     also run every check of the test command
set -euo pipefail
purpose=${1:-play}
packages=(
    build-essential cmake pkg-config
    libsdl2-dev libsdl2-ttf-dev libopenal-dev libsndfile1-dev libvorbis-dev libfreetype-dev
    libpng-dev libenet-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri fonts-dejavu-core
)
case $purpose in
    play) ;;
    # CPack's DEB generator finds the programs to pass to dpkg-shlibdeps with file.
    package) packages+=(dpkg-dev file) ;;
    test)
        packages+=(
            dpkg-dev file lintian appstream desktop-file-utils man-db
            libgtest-dev libgmock-dev googletest libbenchmark-dev
            clang libclang-rt-14-dev
            xvfb xauth xdotool imagemagick xfonts-base x11-utils openbox
            libstb-dev libxtst-dev time
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
if [ ${#missing[@]} -gt 0 ]; then
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
