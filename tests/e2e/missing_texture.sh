#!/usr/bin/env bash
# A missing picture shows its message, ends the program with a failure status
# and leaves the settings file as it was.
source "$(dirname "$0")/lib.sh"
GAME=$1

start_x
mkdir -p "$WORK/game"
cp "$GAME" "$WORK/game/"
cp -r "$(dirname "$GAME")/data" "$WORK/game/"
rm "$WORK/game/data/tlo2zima.tga"
config_dir="$HOME/.config/Grubwick/PondlarkRemake"
mkdir -p "$config_dir"
printf '<Game>\r\n <StartingLevel type="Integer">\r\n  7\r\n </StartingLevel>\r\n</Game>\r\n' \
    >"$config_dir/Pondlark.cfg"
cp "$config_dir/Pondlark.cfg" "$WORK/before.cfg"

"$WORK/game/pondlark" >"$WORK/game.log" 2>&1 &
GAME_PID=$!

box=$(wait_window '^ERROR$' 60) || { cat "$WORK/game.log"; fail "no message box"; }
# The text is not in the window name; the box must be the only one and the game still waiting.
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before the message was dismissed"
xdotool mousemove --window "$box" 10 10
xdotool key --window "$box" Return
wait_exit 20 || fail "the game did not end after the message"
[ "$GAME_STATUS" != 0 ] || fail "exit status 0 after a missing texture"
[ "$GAME_STATUS" -lt 128 ] || fail "ended by a signal ($GAME_STATUS)"
cmp -s "$config_dir/Pondlark.cfg" "$WORK/before.cfg" || fail "settings file changed"
echo "missing_texture: passed"
