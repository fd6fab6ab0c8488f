#!/usr/bin/env bash
# `cmake --install` lays out the game in Debian's games layout under a prefix: the
# program in games/, its data in share/games/pondlark/, a desktop entry, metainfo,
# man page and icons; the installed game starts from any folder with the frog
# icon on its window.
source "$(dirname "$0")/lib.sh"
GAME=$1
WM_CLOSE=$2
BUILD=$(dirname "$GAME")
PREFIX=$WORK/prefix

cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
    { cat "$WORK/install.log"; fail "cmake --install failed"; }

home=$PREFIX/share/games/pondlark
[ -x "$PREFIX/games/pondlark" ] && [ ! -L "$PREFIX/games/pondlark" ] ||
    fail "no executable at games/pondlark"
for file in "$BUILD"/data/*; do
    name=$(basename "$file")
    case $name in
        *.png) [ ! -e "$home/data/$name" ] || fail "desktop icon $name copied into data/" ;;
        *.ttf) [ -L "$home/data/$name" ] && cmp -s "$file" "$home/data/$name" ||
            fail "data/$name is not a link to the system's font" ;;
        *) cmp -s "$file" "$home/data/$name" || fail "data/$name missing or different" ;;
    esac
done
[ -f "$home/data/icon.bmp" ] || fail "no window icon in data/"
[ -f "$PREFIX/share/man/man6/pondlark.6.gz" ] || fail "no man page"
[ -f "$PREFIX/share/metainfo/io.github.pondlark.PondlarkRemake.metainfo.xml" ] || fail "no metainfo"

entry=$PREFIX/share/applications/io.github.pondlark.PondlarkRemake.desktop
[ -f "$entry" ] || fail "no desktop entry"
head -n 1 "$entry" | grep -qx '\[Desktop Entry\]' || fail "desktop entry has no group header"
grep -qx 'Type=Application' "$entry" || fail "desktop entry: no Type"
grep -qx 'Name=Pondlark Remake' "$entry" || fail "desktop entry: no Name"
grep -qx "Exec=\"$PREFIX/games/pondlark\"" "$entry" || fail "desktop entry: Exec is $(grep Exec "$entry")"
grep -qx 'Icon=pondlark' "$entry" || fail "desktop entry: no Icon"
for size in 64 256; do
    icon=$PREFIX/share/icons/hicolor/${size}x${size}/apps/pondlark.png
    [ "$(identify -format '%m %wx%h' "$icon" 2>/dev/null)" = "PNG ${size}x${size}" ] ||
        fail "no ${size}x${size} PNG icon"
done
grep -qF "$entry" "$BUILD/install_manifest.txt" || fail "desktop entry not in the install manifest"

# Run the installed game from / so nothing is found by accident.
start_x
(cd / && exec "$PREFIX/games/pondlark") >"$WORK/game.log" 2>&1 &
GAME_PID=$!
window=$(wait_window '^Pondlark Remake$' 60) || { cat "$WORK/game.log"; fail "main window never appeared"; }
[ "$(readlink "/proc/$GAME_PID/cwd")" = "$(readlink -f "$home")" ] ||
    fail "the game works in $(readlink "/proc/$GAME_PID/cwd"), not in its data's folder"
# The property can reach a busy server a moment after the window is mapped.
icon=
for _ in $(seq 50); do
    icon=$(xprop -id "$window" _NET_WM_ICON 2>&1 | head -n 2 || true)
    grep -q 'Icon (64 x 64)' <<<"$icon" && break
    sleep 0.1
done
grep -q 'Icon (64 x 64)' <<<"$icon" || fail "the window has no 64 x 64 icon: $icon"

sleep 1
kill -0 "$GAME_PID" 2>/dev/null || { cat "$WORK/game.log"; fail "the game ended on its own"; }
"$WM_CLOSE" "$window"
wait_exit 20 || fail "the game did not exit after the close request"
[ "$GAME_STATUS" = 0 ] || { cat "$WORK/game.log"; fail "exit status $GAME_STATUS"; }
[ -f "$HOME/.config/Grubwick/PondlarkRemake/Pondlark.cfg" ] || fail "settings not saved in HOME"
echo "installed: passed"
