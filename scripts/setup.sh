#!/usr/bin/env bash
# Installs the Debian 12 packages the game, its build and its tests need.
set -euo pipefail
packages=(
    build-essential cmake pkg-config git
    libsdl2-dev libsdl2-ttf-dev libopenal-dev libsndfile1-dev libvorbis-dev libfreetype-dev
    libgl-dev libglu1-mesa-dev libgl1-mesa-dri fonts-dejavu-core
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool imagemagick xfonts-base x11-utils openbox
    libpng-dev libstb-dev time
)
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
