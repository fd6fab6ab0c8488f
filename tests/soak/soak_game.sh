#!/usr/bin/env bash
# The soak: the real game under Xvfb for a long time, six frogs of mixed control
# (people on both key schemes and computer frogs of every skill), random keys of both
# schemes, and every couple of minutes a trip through the in-game menu to a new game at
# another starting level, so that many levels, seasons and weathers come by.
# Passes when the game never dies, closes cleanly, and its resident memory at the end is
# within 10 % of its value after the first minute (which plays the busiest pictures).
# Usage: tests/soak/soak_game.sh PONDLARK [MINUTES]
# SOAK_SEED fixes the random keys; SOAK_SHOTS names a folder for a screenshot after each
# menu trip, for a person to check what the run looked like.
GAME=$(realpath "${1:?path of pondlark}")
MINUTES=${2:-20}
source "$(dirname "$0")/headless.sh"

SEED=${SOAK_SEED:-$$}
RANDOM=$SEED
SCHEME_KEYS=(Up Down Left Right Control_R KP_8 KP_2 KP_4 KP_6 w s a d Control_L)
declare -A held=()

shot() {
    [ -n "${SOAK_SHOTS:-}" ] || return 0
    mkdir -p "$SOAK_SHOTS"
    import -window root "$SOAK_SHOTS/$(date +%H%M%S)-$1.png" 2>/dev/null || true
}

alive() {
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game died: $(tail -n 20 "$WORK/game.log")"
}

release_all() {
    local key
    for key in "${!held[@]}"; do xdotool keyup "$key" >/dev/null 2>&1 || true; done
    held=()
}

# One moment of play: press or let go of a random key of either scheme.
random_keys() {
    local key=${SCHEME_KEYS[RANDOM % ${#SCHEME_KEYS[@]}]}
    if [ -n "${held[$key]:-}" ]; then
        xdotool keyup "$key" >/dev/null 2>&1 || true
        unset "held[$key]"
    else
        xdotool keydown "$key" >/dev/null 2>&1 || true
        held[$key]=1
    fi
    # Now and then everything goes up, so that edges come again.
    [ $((RANDOM % 12)) -eq 0 ] && release_all
    sleep "0.$((RANDOM % 3))$((RANDOM % 10))"
}

# From the given entry of the in-game menu: ABORT GAME (entry 3), then on the title
# (entry 0) STARTING LEVEL (entry 3) moved on by the given count, and START NEW GAME.
abort_and_start() {
    local entry=$1 levels=$2 i
    for i in $(seq $((3 - entry))); do press_key Down; done
    press_key Control_R
    sleep 1
    for i in 1 2 3; do press_key Down; done
    for i in $(seq "$levels"); do press_key Right; done
    for i in 1 2 3; do press_key Up; done
    press_key Control_R
}

# Escape opens the in-game menu at its first entry; a few volume changes; then back to
# the game, or a new game from another starting level.
menu_trip() {
    local i level entry=0
    release_all
    press_key Escape
    for i in $(seq $((RANDOM % 3))); do
        press_key Down
        entry=$((entry + 1))
        press_key "$([ $((RANDOM % 2)) -eq 0 ] && echo Left || echo Right)"
    done
    if [ $((RANDOM % 4)) -eq 0 ]; then
        press_key Escape
        echo "$(date +%T) back to the game"
        return
    fi
    level=$((1 + RANDOM % 38))
    abort_and_start "$entry" "$level"
    echo "$(date +%T) new game, starting level moved on by $level"
}

start_x
# Two frogs on scheme 1, one on scheme 2, and easy, medium and hard computers, from a
# winter level (3, 7, ... 39).
write_settings 6 $((3 + 4 * (RANDOM % 10))) 0 1 2 3 4 0
start_game
wait_main_window 60 || fail "main window never appeared: $(cat "$WORK/game.log")"
echo "soak: $MINUTES minutes, seed $SEED, game $GAME_PID on $DISPLAY"
sleep 2
press_key Control_R

start=$(date +%s)
end=$((start + MINUTES * 60))

# The first minute goes to what draws the most before memory is first read: two winter
# levels, where snow piles up on screen, then one level of each other season. Mesa's
# software renderer keeps the memory of the busiest frame it has drawn so far, and compiles
# code once for each new kind of picture; neither is a leak.
play_for() {
    local until=$(($(date +%s) + $1))
    while [ "$(date +%s)" -lt "$until" ]; do random_keys; done
    release_all
    alive
}
next_level() {
    press_key Escape
    abort_and_start 0 "$1"
}
play_for 30
next_level 4
play_for 30
for _ in 1 2 3; do
    next_level 1
    play_for 4
done
echo "$(date +%T) warmed up: two winter levels, then spring, summer and autumn"
next_trip=$((start + 90 + RANDOM % 90))
first_minute_rss=
peak_rss=0
next_sample=$start
while [ "$(date +%s)" -lt "$end" ]; do
    alive
    now=$(date +%s)
    if [ "$now" -ge "$next_sample" ]; then
        rss=$(rss_kb "$GAME_PID")
        [ "$rss" -gt "$peak_rss" ] && peak_rss=$rss
        if [ -z "$first_minute_rss" ] && [ "$now" -ge $((start + 60)) ]; then
            first_minute_rss=$rss
            echo "$(date +%T) resident memory after the first minute: $rss kB"
        fi
        echo "$(date +%T) rss $rss kB"
        next_sample=$((now + 30))
    fi
    if [ "$now" -ge "$next_trip" ]; then
        menu_trip
        sleep 3
        shot trip
        next_trip=$((now + 90 + RANDOM % 90))
    fi
    random_keys
done
release_all
alive
final_rss=$(rss_kb "$GAME_PID")
hwm=$(awk '/^VmHWM:/ {print $2}' "/proc/$GAME_PID/status")

# SDL turns SIGTERM into a quit event: the game closes as from its close box.
kill -TERM "$GAME_PID"
status=0
for _ in $(seq 200); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$GAME_PID" 2>/dev/null && fail "the game did not close within 20 s"
wait "$GAME_PID" || status=$?
GAME_PID=

echo "soak: resident memory first minute $first_minute_rss kB, end $final_rss kB," \
    "highest sample $peak_rss kB, peak (VmHWM) $hwm kB"
[ "$status" -eq 0 ] || fail "the game exited with status $status: $(tail -n 20 "$WORK/game.log")"
[ -n "$first_minute_rss" ] || fail "ran less than a minute"
change=$(awk -v a="$first_minute_rss" -v b="$final_rss" 'BEGIN {printf "%.1f", 100 * (b - a) / a}')
echo "soak: change $change %"
awk -v c="$change" 'BEGIN {exit (c <= 10 && c >= -10) ? 0 : 1}' ||
    fail "resident memory changed by $change % (allowed: 10 %)"
echo "soak: passed"
