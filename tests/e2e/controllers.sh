#!/usr/bin/env bash
# Two game controllers and no keyboard: the first pad's A starts a game, both pads steer
# their players' frogs, Start opens and closes the in-game menu, and the D-pad and A choose
# ABORT GAME. The game is recorded, so its summing-up line shows it ran from START NEW GAME
# to ABORT GAME, and its replay gives the same line; Start on a pad stops watching early.
source "$(dirname "$0")/lib.sh"
GAME=$1
WM_CLOSE=$2
PADS_LIBRARY=$(dirname "$WM_CLOSE")/libvirtual_pads.so
CONFIG="$HOME/.config/Grubwick/PondlarkRemake/Pondlark.cfg"
LINE='^game ended after [0-9]+ steps at level 1; totals [0-9]+ [0-9]+ [0-9]+$'

# Presses a pad's button for a moment: "press PAD BUTTON [SECONDS]".
press() {
    echo "$1 $2 1" >&3
    sleep "${3:-0.15}"
    echo "$1 $2 0" >&3
    sleep 0.15
}

# Bright pixels in the band where the in-game menu's first rows stand.
menu_pixels() {
    screenshot "$window" "$WORK/shot.png"
    count_pixels "$WORK/shot.png" 500x60+60+30 'r > 0.8 && g > 0.8 && b > 0.8'
}

start_x
mkdir -p "$(dirname "$CONFIG")"
printf '<Game>\r\n <NumberOfFrogs type="Integer">\r\n  3\r\n </NumberOfFrogs>\r\n' >"$CONFIG"
printf ' <Frog2_control type="Integer">\r\n  1\r\n </Frog2_control>\r\n</Game>\r\n' >>"$CONFIG"

mkfifo "$WORK/pads"
# Read and write, so that opening does not wait for the game's end of the pipe.
exec 3<>"$WORK/pads"
LD_PRELOAD=$PADS_LIBRARY PONDLARK_PADS=$WORK/pads "$GAME" --record "$WORK/pads.rec" \
    >"$WORK/game.out" 2>"$WORK/game.err" &
GAME_PID=$!
window=$(wait_window '^Pondlark Remake$' 60) || { cat "$WORK/game.err"; fail "no main window"; }
# No window manager: the pointer over the window gives it the focus, which input follows.
xdotool mousemove --window "$window" 400 300
sleep 1

press 1 a
sleep 1.5
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended after START NEW GAME"
# Both players at once: PLAYER 1 on the D-pad and A, PLAYER 2 on the stick and X.
for _ in 1 2 3; do
    press 1 dpleft 0.6
    echo "2 leftx 30000" >&3
    press 1 a 0.4
    press 2 x
    echo "2 leftx 0" >&3
    press 2 a 0.4
    press 1 b
    press 1 dpright 0.6
done
in_game=$(menu_pixels)
press 1 start
sleep 0.5
in_menu=$(menu_pixels)
[ "$in_menu" -gt $((in_game + 500)) ] ||
    fail "Start did not open the in-game menu ($in_game bright pixels before, $in_menu after)"
press 2 start
sleep 0.5
[ "$(menu_pixels)" -lt $((in_menu - 500)) ] || fail "Start did not close the in-game menu"
press 2 start
sleep 0.5
press 2 dpdown
press 2 dpdown
echo "2 lefty 32767" >&3
sleep 0.15
echo "2 lefty 0" >&3
sleep 0.15
press 2 a
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended after ABORT GAME"
grep -Eq "$LINE" "$WORK/game.out" || fail "no game from START NEW GAME to ABORT GAME: $(cat "$WORK/game.out")"
"$WM_CLOSE" "$window"
wait_exit 20 || fail "the game did not close"
[ "$GAME_STATUS" = 0 ] || { cat "$WORK/game.err"; fail "exit status $GAME_STATUS"; }
grep -q "no mapping" "$WORK/game.err" && fail "a virtual pad had no mapping: $(cat "$WORK/game.err")"

"$GAME" --replay "$WORK/pads.rec" >"$WORK/replay.out" 2>"$WORK/replay.err" &
GAME_PID=$!
wait_exit 120 || fail "the replay did not end"
[ "$GAME_STATUS" = 0 ] || { cat "$WORK/replay.err"; fail "replay: exit status $GAME_STATUS"; }
cmp -s "$WORK/game.out" "$WORK/replay.out" || fail "replay printed $(cat "$WORK/replay.out")"

LD_PRELOAD=$PADS_LIBRARY PONDLARK_PADS=$WORK/pads "$GAME" --replay "$WORK/pads.rec" \
    >"$WORK/stopped.out" 2>"$WORK/stopped.err" &
GAME_PID=$!
window=$(wait_window '^Pondlark Remake$' 60) || fail "no window for the replay"
xdotool mousemove --window "$window" 400 300
sleep 1
press 1 start
wait_exit 10 || fail "Start did not stop the replay"
[ "$(awk '{print $4}' "$WORK/stopped.out")" -lt "$(awk '{print $4}' "$WORK/game.out")" ] ||
    fail "Start did not stop the replay early: $(cat "$WORK/stopped.out")"
echo "controllers: $(cat "$WORK/game.out")"
echo "controllers: passed"
