#!/usr/bin/env bash
# Smoothed motion in the real game under Xvfb: frames presented per second and processor
# use in a busy game of six frogs with both tongue keys held, paced to 60 and to 144 frames
# a second, smoothing off and on; then key-to-screen latency at 60, off and on.
# Usage: bench/smooth_motion.sh BUILD_DIR [SECONDS]   (pondlark, libgame_probe.so, key_latency)
# RESX and RESY set the window's size (800 x 600 unless given; the latency needs that).
BUILD=$(cd "${1:?build folder}" && pwd)
SECONDS_EACH=${2:-10}
GAME=$BUILD/pondlark
source "$(dirname "$0")/../tests/soak/headless.sh"

# Starts the game with the probe and the given options after it.
start_probed() {
    env LD_PRELOAD="$BUILD/libgame_probe.so" "$GAME" "$@" >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
}

stop_game() {
    kill -9 "$GAME_PID" 2>/dev/null || true
    wait "$GAME_PID" 2>/dev/null || true
}

start_x
for hz in 60 144; do
    for smooth in 0 1; do
        SMOOTH_MOTION=$smooth write_settings 6 1 0 1 2 3 4 0
        start_probed --refresh-rate "$hz"
        wait_main_window 60 || die "main window never appeared: $(cat "$WORK/game.log")"
        sleep 3
        tap Control_R
        sleep 5
        xdotool keydown Control_L Control_R
        mark=$(wc -l <"$WORK/game.log")
        read -r -d '' game_cpu x_cpu < <(cpu_percent "$SECONDS_EACH" "$GAME_PID" "$XVFB_PID") || true
        fps=$(tail -n +"$((mark + 1))" "$WORK/game.log" |
            awk '/frames\/s/ {s += $2; n++} END {printf "%.1f", n ? s / n : 0}')
        xdotool keyup Control_L Control_R
        stop_game
        echo "$hz Hz, smoothing $smooth: game ${game_cpu}% + Xvfb ${x_cpu}% of one core, $fps frames/s"
    done
done
# The latency probe reads the title's entries where an 800 x 600 window shows them.
[ -z "${RESX:-}" ] || exit 0
for smooth in 0 1; do
    SMOOTH_MOTION=$smooth write_settings 6 1 0 1 2 3 4 0
    start_game
    wait_main_window 60 || die "main window never appeared: $(cat "$WORK/game.log")"
    sleep 3
    echo "60 Hz, smoothing $smooth, key to screen: $("$BUILD/bench/key_latency" "$WINDOW" 30 | tail -n 1)"
    stop_game
done
