# What every headless run of the real game shares: software GL, silent sound, a private
# HOME under WORK and a private X server. Sourced by the end-to-end helpers and by the
# helpers of the soak and the measuring scripts; each of those sets its own exit trap.

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
