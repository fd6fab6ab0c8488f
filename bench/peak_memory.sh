#!/usr/bin/env bash
# Peak resident memory of a ten-minute game under Xvfb, as /usr/bin/time -v reports it:
# six frogs (two people on random keys of both schemes, four computer frogs).
# Usage: bench/peak_memory.sh BUILD_DIR [MINUTES]
BUILD=$(cd "${1:?build folder}" && pwd)
MINUTES=${2:-10}
GAME=$BUILD/pondlark
source "$(dirname "$0")/../tests/soak/headless.sh"
[ -x /usr/bin/time ] || fail "/usr/bin/time is missing (Debian package: time)"

KEYS=(Up Left Right Control_R w a d Control_L)
start_x
write_settings 6 1 0 1 2 3 4 4
start_game /usr/bin/time -v -o "$WORK/time.txt"
wait_main_window 60 || fail "main window never appeared: $(cat "$WORK/game.log")"
game=$(pgrep -P "$GAME_PID" | head -n 1)
sleep 2
press_key Control_R
end=$(($(date +%s) + MINUTES * 60))
while [ "$(date +%s)" -lt "$end" ]; do
    kill -0 "$game" 2>/dev/null || fail "the game died: $(tail -n 20 "$WORK/game.log")"
    key=${KEYS[RANDOM % ${#KEYS[@]}]}
    xdotool keydown "$key" >/dev/null 2>&1 || true
    sleep "0.$((RANDOM % 5))"
    xdotool keyup "$key" >/dev/null 2>&1 || true
done
# SDL turns SIGTERM into a quit event: the game closes normally and time reports.
kill -TERM "$game"
wait "$GAME_PID" || true
GAME_PID=
grep -E 'Maximum resident|Elapsed|Exit status' "$WORK/time.txt"
