# Shared helpers for the end-to-end tests: a private X server, a private HOME.
set -euo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$E2E_DIR/../private_x.sh"
make_private_home pondlark-e2e

# Starts the test's X server and points DISPLAY at it.
start_x() {
    start_private_x 90 140
}

# Waits for the game to exit and sets GAME_STATUS; call it outside $(...).
wait_exit() {
    local seconds=${1:-20}
    for _ in $(seq $((seconds * 10))); do
        if ! kill -0 "$GAME_PID" 2>/dev/null; then
            GAME_STATUS=0
            wait "$GAME_PID" || GAME_STATUS=$?
            GAME_PID=
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Starts another X server and sets EXTRA_DISPLAY; the cleanup stops it. Several can
# run side by side.
start_extra_x() {
    start_xvfb 141 190 || fail "no second X server could be started"
    EXTRA_X_PIDS+=("$STARTED_X_PID")
    EXTRA_DISPLAY=$STARTED_X_DISPLAY
}

# Waits until a visible window's name matches the pattern and prints its id and
# name; returns 1 when the game ends first and 2 on timeout. Polls quickly, so a
# run of many short starts stays fast.
wait_window_or_exit() {
    local pattern=$1 seconds=${2:-30} found deadline
    deadline=$((SECONDS + seconds))
    while [ "$SECONDS" -lt "$deadline" ]; do
        # One xdotool call per poll: each X connection costs time on a busy machine.
        found=$(xdotool search --onlyvisible --limit 1 --name "$pattern" getwindowname %1 \
            2>/dev/null || true)
        if [ -n "$found" ]; then
            echo "$(xdotool search --onlyvisible --limit 1 --name "$pattern" 2>/dev/null) $found"
            return 0
        fi
        kill -0 "$GAME_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 2
}

# Presses Return in a message box. Without a window manager the box does not
# get the keyboard by itself, so the pointer goes onto it and it is focused.
dismiss_box() {
    xdotool mousemove --window "$1" 10 10 windowfocus --sync "$1" \
        keydown Return sleep 0.1 keyup Return 2>/dev/null || true
}

# Waits for the game to exit after a message box was dismissed, pressing Return
# again if the box is still there (a first key can come before it listens).
dismiss_box_and_wait_exit() {
    local caption=$1 box
    for _ in 1 2 3; do
        box=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1 || true)
        [ -n "$box" ] && dismiss_box "$box"
        wait_exit 3 && return 0
    done
    return 1
}

# The settings file of the worked example: what a new player's menu changes
# and one started game write. A clean close writes it back byte for byte.
write_example_settings() {
    mkdir -p "$(dirname "$1")"
    printf '%s\r\n' '<Game>' ' <NumberOfFrogs type="Integer">' '  3' ' </NumberOfFrogs>' \
        ' <FrogsCollision type="Boolean">' '  0' ' </FrogsCollision>' \
        ' <StartingLevel type="Integer">' '  1' ' </StartingLevel>' '</Game>' \
        '<Sound>' ' <SoundVolume type="Integer">' '  23' ' </SoundVolume>' '</Sound>' >"$1"
}


# Saves a picture of the window's client area.
screenshot() {
    import -window "$1" "$2" 2>/dev/null
}

# Counts the pixels of a region (WxH+X+Y, from the top left) for which the ImageMagick fx
# expression over r, g and b (each 0..1) holds.
count_pixels() {
    local file=$1 region=$2 expr=$3
    convert "$file" -crop "$region" +repage -alpha off -fx "($expr) ? 1 : 0" \
        -format '%[fx:round(mean*w*h)]' info:
}
