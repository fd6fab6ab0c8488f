#!/usr/bin/env bash
# Installs only what building and running the game need, builds the game and its
# data into build/ (no tests) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh play
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPONDLARK_TESTS=OFF
cmake --build build -j"$(nproc)" --target pondlark
exec build/pondlark
