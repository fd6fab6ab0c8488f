#!/usr/bin/env bash
# The soak: twenty minutes of random play of the real game under Xvfb (not part of the
# test command). Builds first, unless SOAK_BUILD names a build folder to use as it is.
# Usage: scripts/soak.sh [MINUTES]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${SOAK_BUILD:-}
if [ -z "$build" ]; then
    scripts/setup.sh test
    scripts/build.sh
    build=build
fi
exec tests/soak/soak_game.sh "$build/pondlark" "${1:-20}"
