# What every headless run of the real game shares: software GL, silent sound, a private
# HOME under WORK, private X servers, the clean-up, settings lines and key taps. Sourced by
# the end-to-end helpers and by the helpers of the soak and the measuring scripts.

export LC_ALL=C
export LIBGL_ALWAYS_SOFTWARE=1
export ALSOFT_DRIVERS=null
export SDL_AUDIODRIVER=dummy

# Makes WORK (a new folder whose name starts with the given prefix) and a HOME inside it.
make_private_home() {
    WORK=$(mktemp -d "/tmp/$1.XXXXXX")
    export HOME=$WORK/home
    unset XDG_CONFIG_HOME XDG_CONFIG_DIRS
    mkdir -p "$HOME"
}

# Starts Xvfb on the first free display from FIRST to LAST and sets STARTED_X_DISPLAY and
# STARTED_X_PID; returns 1 when none could be started. A display counts as ours only
# when its lock file names our server, so two runs starting at once never share one.
start_xvfb() {
    local first=$1 last=$2 n pid
    for n in $(seq "$first" "$last"); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        # Without -noreset the server resets whenever its last client leaves, and a
        # game connecting at that moment finds no display and runs without a window.
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$WORK/xvfb-$n.log" 2>&1 &
        pid=$!
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            if [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" = "$pid" ] &&
                DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
                STARTED_X_DISPLAY=":$n"
                STARTED_X_PID=$pid
                return 0
            fi
            sleep 0.1
        done
        kill "$pid" 2>/dev/null || true
    done
    return 1
}

XVFB_PID=
GAME_PID=
EXTRA_X_PIDS=()

# Stops the game and every X server the run started, and removes WORK.
cleanup() {
    [ -n "$GAME_PID" ] && kill -9 "$GAME_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    for pid in ${EXTRA_X_PIDS[@]+"${EXTRA_X_PIDS[@]}"}; do kill "$pid" 2>/dev/null || true; done
    # A server still writing its log as it goes would leave the folder half removed.
    wait ${XVFB_PID:+"$XVFB_PID"} ${EXTRA_X_PIDS[@]+"${EXTRA_X_PIDS[@]}"} 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts the run's X server on a display from FIRST to LAST and points DISPLAY at it.
start_private_x() {
    start_xvfb "$1" "$2" || fail "no X server could be started"
    XVFB_PID=$STARTED_X_PID
    export DISPLAY=$STARTED_X_DISPLAY
}

# One line of a settings file: name, type ("Integer", "Boolean", ...) and value.
option() {
    printf ' <%s type="%s">\r\n  %s\r\n </%s>\r\n' "$1" "$2" "$3" "$1"
}

# The settings group that keeps a host from asking the machine's router to forward its port:
# a test's datagrams stay on loopback.
router_off_settings() {
    printf '<Network>\r\n'
    option AskRouter Boolean 0
    printf '</Network>\r\n'
}

# Holds a key long enough for the game's keyboard poll (60 a second) to see it go down,
# then waits as long again so that a repeat of the same key counts as a new press.
press_key() {
    local key=$1 times=${2:-1} i
    for ((i = 0; i < times; i++)); do
        xdotool keydown "$key"
        sleep 0.12
        xdotool keyup "$key"
        sleep 0.12
    done
}

# Runs the command every 0.2 s until it succeeds or the seconds run out.
wait_until() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}

# Waits for a visible window whose name matches the pattern; prints its id.
wait_window() {
    local pattern=$1 seconds=${2:-30} id
    for _ in $(seq $((seconds * 10))); do
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits up to 20 s for the process to end and sets STATUS to its exit status.
wait_status() {
    local pid=$1
    for _ in $(seq 200); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -9 "$pid" 2>/dev/null; then
        STATUS="still running"
        return
    fi
    STATUS=0
    wait "$pid" || STATUS=$?
}
