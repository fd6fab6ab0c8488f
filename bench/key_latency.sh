#!/usr/bin/env bash
# Key-to-screen latency of the real game under Xvfb: Down and Up pressed on the title
# screen through XTest, timed until the next entry lights up on screen; median and maximum.
# Usage: bench/key_latency.sh BUILD_DIR [PRESSES]   (BUILD_DIR holds pondlark and key_latency)
BUILD=$(cd "${1:?build folder}" && pwd)
PRESSES=${2:-30}
GAME=$BUILD/pondlark
source "$(dirname "$0")/../tests/soak/headless.sh"

start_x
start_game
wait_main_window 60 || fail "main window never appeared: $(cat "$WORK/game.log")"
# The title's first frames compile the driver's drawing code; let them pass.
sleep 3
"$BUILD/bench/key_latency" "$WINDOW" "$PRESSES" | if [ -n "${VERBOSE:-}" ]; then cat; else tail -n 1; fi
