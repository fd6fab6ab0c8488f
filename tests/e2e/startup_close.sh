#!/usr/bin/env bash
# From an empty HOME the game opens an 800 x 600 window and saves on close; with no display
# at all it says so and fails at once instead of playing where nobody sees.
source "$(dirname "$0")/lib.sh"
GAME=$1
WM_CLOSE=$2

status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 10 "$GAME" >"$WORK/nodisplay.log" 2>&1 ||
    status=$?
[ "$status" = 1 ] || fail "with no display: exit status $status"
grep -q "no display" "$WORK/nodisplay.log" || fail "with no display: $(cat "$WORK/nodisplay.log")"

start_x
"$GAME" >"$WORK/game.log" 2>&1 &
GAME_PID=$!

window=$(wait_window '^Pondlark Remake$' 60) || { cat "$WORK/game.log"; fail "main window never appeared"; }
geometry=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')
[ "$geometry" = "800x600" ] || fail "client area is $geometry, expected 800x600"

# Let a few frames run before closing.
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended on its own"
"$WM_CLOSE" "$window"
wait_exit 20 || fail "the game did not exit after the close request"
[ "$GAME_STATUS" = 0 ] || { cat "$WORK/game.log"; fail "exit status $GAME_STATUS"; }

config="$HOME/.config/Grubwick/PondlarkRemake/Pondlark.cfg"
[ -f "$config" ] || fail "settings file not written"
[ ! -s "$config" ] || fail "settings file should be empty, holds: $(cat "$config")"
echo "startup_close: passed"
