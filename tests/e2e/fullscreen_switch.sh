#!/usr/bin/env bash
# Alt+Enter switches between the window and full screen at the desktop's size, the
# picture follows the new size, the menu does not also take the Enter, and nothing
# about it is saved.
source "$(dirname "$0")/lib.sh"
GAME=$1
WM_CLOSE=$2

# Full screen is granted by a window manager, which a bare X server lacks.
command -v openbox >/dev/null || fail "openbox is not installed"
start_x
openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
WM_PID=$!
trap 'kill "$WM_PID" 2>/dev/null || true; cleanup' EXIT
sleep 1

"$GAME" >"$WORK/game.log" 2>&1 &
GAME_PID=$!
window=$(wait_window '^Pondlark Remake$' 60) || { cat "$WORK/game.log"; fail "main window never appeared"; }
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool mousemove --window "$window" 10 10
sleep 1

size() {
    xwininfo -id "$window" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'
}

# Held long enough for the game's key snapshots to see the Enter.
alt_enter() {
    xdotool keydown "$1" keydown "$2"
    sleep 0.3
    xdotool keyup "$2" keyup "$1"
}

# Waits up to five seconds for the window to reach the size.
wait_size() {
    for _ in $(seq 50); do
        [ "$(size)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

screen=$(xdotool getdisplaygeometry | tr ' ' x)
config="$HOME/.config/Grubwick/PondlarkRemake/Pondlark.cfg"

alt_enter Alt_L Return
wait_size "$screen" || fail "Alt+Return left the window at $(size), expected $screen"
# START NEW GAME is highlighted and saves the settings at once, so a file now means
# the menu took the Enter as its own too.
sleep 1
[ ! -e "$config" ] || fail "the menu chose START NEW GAME on Alt+Return"
# The title screen's midday sky now reaches the top-right corner of the screen.
import -window root -crop 40x40+"$(( ${screen%x*} - 40 ))"+0 "$WORK/corner.png"
brightness=$(convert "$WORK/corner.png" -colorspace Gray -format '%[fx:int(mean*100)]' info:)
[ "$brightness" -ge 20 ] || fail "the full-screen corner is dark ($brightness%): the view did not follow"

alt_enter Alt_R KP_Enter
wait_size 800x600 || fail "Alt+keypad Enter left the window at $(size), expected 800x600"
alt_enter Alt_L Return
wait_size "$screen" || fail "a second Alt+Return did not go full screen again"
alt_enter Alt_L Return
wait_size 800x600 || fail "a second switch back left the window at $(size)"
sleep 0.5
[ ! -e "$config" ] || fail "the menu chose START NEW GAME on one of the later switches"

kill -0 "$GAME_PID" 2>/dev/null || { cat "$WORK/game.log"; fail "the game ended on its own"; }
"$WM_CLOSE" "$window"
wait_exit 20 || fail "the game did not exit after the close request"
[ "$GAME_STATUS" = 0 ] || { cat "$WORK/game.log"; fail "exit status $GAME_STATUS"; }
[ -f "$config" ] || fail "settings file not written on close"
[ ! -s "$config" ] || fail "the switch was saved: $(cat "$config")"
echo "fullscreen_switch: passed"
