#!/usr/bin/env bash
# A game recorded with smoothed motion off replays to the same summing-up line with it on
# at 144 frames a second, and the other way round; the pictures show the pond; reading the
# setting never writes it into the settings file.
source "$(dirname "$0")/lib.sh"
GAME=$1
WM_CLOSE=$2
CONFIG="$HOME/.config/Grubwick/PondlarkRemake/Pondlark.cfg"
LINE='^game ended after [0-9]+ steps at level [0-9]+; totals [0-9]+ [0-9]+ [0-9]+$'

# Settings with a small window, so the software renderer keeps up with 144 frames a second,
# and SmoothMotion as given (none when empty).
write_settings() {
    mkdir -p "$(dirname "$CONFIG")"
    {
        printf '<Graphics>\r\n'
        printf ' <resx type="Integer">\r\n  320\r\n </resx>\r\n'
        printf ' <resy type="Integer">\r\n  240\r\n </resy>\r\n'
        [ -z "$1" ] || printf ' <SmoothMotion type="Boolean">\r\n  %s\r\n </SmoothMotion>\r\n' "$1"
        printf '</Graphics>\r\n<Game>\r\n'
        printf ' <NumberOfFrogs type="Integer">\r\n  3\r\n </NumberOfFrogs>\r\n'
        printf ' <Frog2_control type="Integer">\r\n  4\r\n </Frog2_control>\r\n'
        printf ' <Frog3_control type="Integer">\r\n  4\r\n </Frog3_control>\r\n'
        printf '</Game>\r\n'
    } >"$CONFIG"
}

# Records a game: START NEW GAME, hops and tongues, a while for the computer frogs, then
# ABORT GAME and the window closed. With no SmoothMotion in the file, smoothing is on.
record() {
    "$GAME" --record "$WORK/$1.rec" "${@:2}" >"$WORK/$1.out" 2>"$WORK/$1.err" &
    GAME_PID=$!
    local window
    window=$(wait_window '^Pondlark Remake$' 60) || fail "no window to record in"
    xdotool mousemove --window "$window" 160 120
    sleep 1
    press_key Return
    sleep 1
    for key in Left Up Control_R Right Up Up Control_R Left; do
        press_key "$key"
        sleep 0.3
    done
    sleep 8
    screenshot "$window" "$WORK/$1.png"
    press_key Escape
    press_key Down 3
    press_key Return
    sleep 1
    "$WM_CLOSE" "$window"
    wait_exit 20 || fail "the recording game did not close"
    [ "$GAME_STATUS" = 0 ] || fail "$1: exit status $GAME_STATUS: $(cat "$WORK/$1.err")"
    grep -Eq "$LINE" "$WORK/$1.out" || fail "$1 printed: $(cat "$WORK/$1.out")"
}

replay() {
    "$GAME" --replay "$WORK/$1.rec" "${@:2}" >"$WORK/$1-replay.out" 2>"$WORK/$1-replay.err" &
    GAME_PID=$!
    wait_exit 60 || fail "the replay of $1 did not end"
    [ "$GAME_STATUS" = 0 ] || fail "replay of $1: exit status $GAME_STATUS"
    cmp -s "$WORK/$1.out" "$WORK/$1-replay.out" ||
        fail "$1 replayed to \"$(cat "$WORK/$1-replay.out")\", recorded \"$(cat "$WORK/$1.out")\""
}

start_x
# 1. Recorded plain, replayed smoothed at 144 frames a second.
write_settings 0
record plain
write_settings 1
cp "$CONFIG" "$WORK/settings.before"
replay plain --refresh-rate 144
cmp -s "$CONFIG" "$WORK/settings.before" || fail "the replay changed the settings file"
# 2. Recorded smoothed at 144 with the setting left out, replayed plain.
write_settings ""
record smooth --refresh-rate 144
grep -q SmoothMotion "$CONFIG" && fail "reading SmoothMotion wrote it into the settings file"
write_settings 0
replay smooth
# The pond and its frogs are on screen while smoothed: the water line's green pads, and
# frogs' colours in the picture.
for side in plain smooth; do
    pads=$(count_pixels "$WORK/$side.png" 320x60+0+150 'g > r + 0.1 && g > b + 0.1')
    [ "$pads" -gt 500 ] || fail "$side: only $pads green pixels along the water line"
done
echo "smooth_motion: $(cat "$WORK/plain.out") / $(cat "$WORK/smooth.out")"
echo "smooth_motion: passed"
