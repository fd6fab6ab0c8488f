#!/usr/bin/env bash
# Processor use and frame rate of the real game under Xvfb: the title screen, then a busy
# game of six frogs with both tongue keys held.
# Usage: bench/cpu_use.sh BUILD_DIR [SECONDS]   (BUILD_DIR holds pondlark and libgame_probe.so)
BUILD=$(cd "${1:?build folder}" && pwd)
SECONDS_EACH=${2:-10}
GAME=$BUILD/pondlark
source "$(dirname "$0")/../tests/soak/headless.sh"

# Mean of the frame rates the probe printed after the given line of the log.
frame_rate_since() {
    tail -n +"$(($1 + 1))" "$WORK/game.log" | awk '/frames\/s/ {s += $2; n++} END {printf "%.1f", n ? s / n : 0}'
}

start_x
write_settings 6 1 0 1 2 3 4 0
start_game env LD_PRELOAD="$BUILD/libgame_probe.so"
wait_main_window 60 || fail "main window never appeared: $(cat "$WORK/game.log")"
sleep 3
mark=$(wc -l <"$WORK/game.log")
read -r -d '' title_cpu title_x < <(cpu_percent "$SECONDS_EACH" "$GAME_PID" "$XVFB_PID") || true
title_fps=$(frame_rate_since "$mark")

press_key Control_R
sleep 5
xdotool keydown Control_L Control_R
mark=$(wc -l <"$WORK/game.log")
read -r -d '' game_cpu game_x < <(cpu_percent "$SECONDS_EACH" "$GAME_PID" "$XVFB_PID") || true
game_fps=$(frame_rate_since "$mark")
xdotool keyup Control_L Control_R

echo "title screen: game ${title_cpu}% + Xvfb ${title_x}% of one core, ${title_fps} frames/s"
echo "busy game:    game ${game_cpu}% + Xvfb ${game_x}% of one core, ${game_fps} frames/s"
