#!/usr/bin/env bash
# Installs only what building and running the game need, builds the game and its
# data into build/ (no tests) and starts it. Run with sudo, it installs as root but
# builds and plays as the user who ran sudo, with that user's settings.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh play
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
    # An earlier run as root may have left a build folder the user cannot write.
    if [ -d build ] && [ "$(stat -c %u build)" = 0 ]; then chown -R "$SUDO_USER": build; fi
    exec sudo -u "$SUDO_USER" -H \
        --preserve-env=DISPLAY,WAYLAND_DISPLAY,XAUTHORITY,XDG_RUNTIME_DIR,PULSE_SERVER \
        "$0" "$@"
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPONDLARK_TESTS=OFF
cmake --build build -j"$(nproc)" --target pondlark
exec build/pondlark "$@"
