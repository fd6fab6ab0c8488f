#!/usr/bin/env bash
# Plays a game of four computer frogs into the morning and saves a screenshot of it as
# readme-screenshot.png in the build folder, the picture docs/screenshot.png is taken from.
source "$(dirname "$0")/lib.sh"
GAME=$1
WM_CLOSE=$2
OUT=$(dirname "$GAME")/readme-screenshot.png

config_dir="$HOME/.config/Grubwick/PondlarkRemake"
mkdir -p "$config_dir"
{
    printf '<Game>\r\n'
    printf ' <NumberOfFrogs type="Integer">\r\n  4\r\n </NumberOfFrogs>\r\n'
    frog=1
    for control in 4 3 2 4; do
        printf ' <Frog%d_control type="Integer">\r\n  %d\r\n </Frog%d_control>\r\n' \
            "$frog" "$control" "$frog"
        frog=$((frog + 1))
    done
    printf '</Game>\r\n'
} >"$config_dir/Pondlark.cfg"

start_x
"$GAME" >"$WORK/game.log" 2>&1 &
GAME_PID=$!
window=$(wait_window '^Pondlark Remake$' 60) || { cat "$WORK/game.log"; fail "main window never appeared"; }
xdotool mousemove --window "$window" 10 10
sleep 1

# START NEW GAME is highlighted; Right Ctrl chooses it. Held past one step so it is seen.
xdotool keydown Control_R
sleep 0.3
xdotool keyup Control_R
sleep 1
grep -q StartingLevel "$config_dir/Pondlark.cfg" || fail "no game started"

# Levels start before dawn; about 35 seconds in, the sky is in full morning light. A
# machine too busy to keep up with the game's clock gets a little longer.
sleep 35
for _ in $(seq 12); do
    kill -0 "$GAME_PID" 2>/dev/null || { cat "$WORK/game.log"; fail "the game ended on its own"; }
    import -window "$window" "$WORK/shot.png"
    brightness=$(convert "$WORK/shot.png" -colorspace Gray -format '%[fx:int(mean*100)]' info:)
    [ "$brightness" -ge 25 ] && break
    sleep 5
done
[ "$brightness" -ge 25 ] || fail "the morning never came: the picture stays dark ($brightness%)"
[ "$(identify -format '%wx%h' "$WORK/shot.png")" = 800x600 ] || fail "screenshot is not 800x600"
cp "$WORK/shot.png" "$OUT"

"$WM_CLOSE" "$window"
wait_exit 20 || fail "the game did not exit after the close request"
[ "$GAME_STATUS" = 0 ] || { cat "$WORK/game.log"; fail "exit status $GAME_STATUS"; }
echo "readme_screenshot: saved $OUT (brightness $brightness%)"
