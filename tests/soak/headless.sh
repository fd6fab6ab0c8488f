# Helpers for long headless runs of the real game (the soak and the measurements in bench/):
# a private X server, a private HOME, settings written up front, and readings from /proc.
# Callers set GAME to the pondlark executable; sourcing sets WORK and an exit trap.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../private_x.sh"
make_private_home pondlark-headless
WINDOW=

# Starts the run's X server (above the displays the end-to-end tests use) and points
# DISPLAY at it.
start_x() {
    start_private_x 150 199
}

# Writes the settings file: frog count, starting level, then the six controls.
# RESX and RESY, when set, give the window's size; SMOOTH_MOTION (0 or 1), smoothed motion.
write_settings() {
    local frogs=$1 level=$2
    shift 2
    local folder="$HOME/.config/Grubwick/PondlarkRemake" n=1 control
    mkdir -p "$folder"
    {
        if [ -n "${RESX:-}${SMOOTH_MOTION:-}" ]; then
            printf '<Graphics>\r\n'
            if [ -n "${RESX:-}" ]; then
                option resx Integer "$RESX"
                option resy Integer "$RESY"
            fi
            [ -z "${SMOOTH_MOTION:-}" ] || option SmoothMotion Boolean "$SMOOTH_MOTION"
            printf '</Graphics>\r\n'
        fi
        printf '<Game>\r\n'
        option NumberOfFrogs Integer "$frogs"
        option StartingLevel Integer "$level"
        for control in "$@"; do
            option "Frog${n}_control" Integer "$control"
            n=$((n + 1))
        done
        printf '</Game>\r\n'
        router_off_settings
    } >"$folder/Pondlark.cfg"
}

# Starts the game in the background (any arguments go before it, e.g. a wrapper).
start_game() {
    "$@" "$GAME" >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
}

# Waits for the main window, gives it the keyboard and sets WINDOW.
wait_main_window() {
    local seconds=${1:-60}
    for _ in $(seq $((seconds * 10))); do
        WINDOW=$(xdotool search --onlyvisible --name '^Pondlark Remake$' 2>/dev/null | head -n 1 || true)
        if [ -n "$WINDOW" ]; then
            # No window manager: the pointer over the window gives it the keyboard.
            xdotool mousemove --window "$WINDOW" 400 300 >/dev/null 2>&1 || true
            return 0
        fi
        kill -0 "$GAME_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Resident memory of a process in kilobytes.
rss_kb() {
    awk '/^VmRSS:/ {print $2}' "/proc/$1/status"
}

# Processor time of a process in clock ticks (user + system).
cpu_ticks() {
    awk '{print $14 + $15}' "/proc/$1/stat"
}

# Share of one processor each process used over the given seconds, in percent, one per line.
cpu_percent() {
    local seconds=$1 hz pid
    shift
    hz=$(getconf CLK_TCK)
    local -a before=()
    for pid in "$@"; do before+=("$(cpu_ticks "$pid")"); done
    sleep "$seconds"
    local i=0
    for pid in "$@"; do
        awk -v d=$(($(cpu_ticks "$pid") - before[i])) -v hz="$hz" -v s="$seconds" \
            'BEGIN {printf "%.1f\n", 100 * d / hz / s}'
        i=$((i + 1))
    done
}

# For the network measurements: a command on the second X server (GUEST_DISPLAY) with a
# settings folder of its own.
guest() {
    DISPLAY=$GUEST_DISPLAY XDG_CONFIG_HOME=$WORK/guest "$@"
}

# The probe reads where the title's first two entries stand; the window goes where its
# in-game menu's first two rows (235 pixels higher in 800 x 600) stand there on the screen,
# and the probe reads the screen (BUILD and PRESSES are the caller's). Prints "median / max ms".
probe_menu() {
    xdotool windowmove --sync "$1" 0 235 mousemove --window "$1" 400 300
    sleep 1
    "$BUILD/bench/key_latency" "$(xwininfo -root | awk '/Window id:/ {print $4}')" "$PRESSES" |
        awk '/^median/ {print $2 " / " $5 " ms"}'
}

# Taps the arrows and the tongue at random for the given seconds.
random_keys() {
    local keys=(Left Right Up Control_R) end=$((SECONDS + $1))
    while [ "$SECONDS" -lt "$end" ]; do press_key "${keys[RANDOM % 4]}"; done
}
