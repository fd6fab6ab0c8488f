#!/usr/bin/env bash
# Damaged or hostile settings: garbage, binary bytes, huge and negative numbers,
# a 10 MB line, window sizes no window can have (they fall back to 800 x 600),
# a settings folder that cannot be made, a folder left where an old game put its
# temporary file, and a settings file that is a link into the player's dotfiles.
# Each time the game starts, survives a few seconds, starts a new game with
# Return and closes cleanly with exit status 0. A file it saves must be one it
# reads back whole: a second start and close writes it again byte for byte,
# without keeping a copy of a damaged file. A save that cannot be written
# leaves the old file as it was; a save through a link keeps the link and the mode.
source "$(dirname "$0")/lib.sh"
GAME=$1
WM_CLOSE=$2

CONFIG_DIR="$HOME/.config/Grubwick/PondlarkRemake"
CONFIG="$CONFIG_DIR/Pondlark.cfg"

# Writes the settings file of a case (some cases change the folder instead).
prepare() {
    rm -rf "$HOME/.config"
    mkdir -p "$CONFIG_DIR"
    case $1 in
        garbage)
            printf 'Hello, frog!\r\n[Game]\r\nNumberOfFrogs=4\r\n<<<>>> </> <Game\r\n' >"$CONFIG"
            printf '<Sound> <SoundVolume type="Integer"> 7 </Sound>\r\n%%%%%% &lt; >\r\n' \
                >>"$CONFIG"
            ;;
        binary)
            # The same 4096 bytes each run: bash's generator with a fixed seed.
            RANDOM=4242
            local i byte bytes=
            for ((i = 0; i < 4096; i++)); do
                printf -v byte '\\0%03o' $((RANDOM % 256))
                bytes+=$byte
            done
            printf '%b' "$bytes" >"$CONFIG"
            # Then a readable group with NUL and high bytes in its names and values.
            printf '<Game\0\377>\r\n <Key\0 type="String">\r\n  \001\377\0x\r\n </Key\0>\r\n' \
                >>"$CONFIG"
            printf '</Game\0\377>\r\n' >>"$CONFIG"
            ;;
        huge_numbers)
            {
                printf '<Game>\r\n'
                option NumberOfFrogs Integer 99999999999
                option StartingLevel Integer 2147483647
                option FrogsCollision Boolean 99999999999
                option Frog1_color Integer 99999999999
                option Frog1_control Integer 2147483647
                option Frog2_color Int64 9223372036854775807
                option Frog2_control Integer 1000000
                printf '</Game>\r\n<Sound>\r\n'
                option SoundVolume Integer 1000000
                option MusicVolume Integer 99999999999999999999999
                printf '</Sound>\r\n<Graphics>\r\n'
                option bpp Integer 99999
                option hz Integer -99999
                printf '</Graphics>\r\n'
            } >"$CONFIG"
            ;;
        negative_frogs)
            {
                printf '<Game>\r\n'
                option NumberOfFrogs Integer -3
                option StartingLevel Integer -7
                option Frog1_control Integer -1
                option Frog1_color Integer -5
                printf '</Game>\r\n<Sound>\r\n'
                option SoundVolume Integer -10
                option MusicVolume Integer -2147483648
                printf '</Sound>\r\n'
            } >"$CONFIG"
            ;;
        long_value)
            # One 10 MB line: a string option the game does not know, then a real one.
            {
                printf '<Game><Junk type="String">'
                head -c 10485760 /dev/zero | tr '\0' 'x'
                printf '</Junk><NumberOfFrogs type="Integer">4</NumberOfFrogs></Game>\r\n'
            } >"$CONFIG"
            ;;
        many_options)
            # One 10 MB line of distinct options and groups, every one kept.
            awk 'BEGIN {
                printf "<Game><NumberOfFrogs type=\"Integer\">4</NumberOfFrogs>"
                for (i = 0; i < 200000; i++) printf "<k%d type=\"Integer\">%d</k%d>", i, i, i
                printf "</Game>"
                for (i = 0; i < 100000; i++) printf "<g%d><k type=\"Integer\">1</k></g%d>", i, i
                printf "\r\n"
            }' >"$CONFIG"
            ;;
        no_folder)
            # A plain file where the folder should be: nothing can be loaded or saved.
            rm -rf "$HOME/.config/Grubwick"
            printf 'not a folder\n' >"$HOME/.config/Grubwick"
            ;;
        leftover_tmp)
            # An old file, and a folder where an older game put its temporary file.
            write_example_settings "$CONFIG"
            mkdir "$CONFIG.tmp"
            ;;
        linked)
            rm -rf "$HOME/dotfiles"
            mkdir -p "$HOME/dotfiles"
            write_example_settings "$HOME/dotfiles/Pondlark.cfg"
            chmod 600 "$HOME/dotfiles/Pondlark.cfg"
            ln -s ../../../dotfiles/Pondlark.cfg "$CONFIG"
            ;;
        huge_window)
            {
                printf '<Graphics>\r\n'
                option resx Integer 100000
                option resy Integer 100000
                printf '</Graphics>\r\n'
            } >"$CONFIG"
            ;;
        tiny_window)
            {
                printf '<Graphics>\r\n'
                option resx Integer -5
                option resy Integer 0
                printf '</Graphics>\r\n'
            } >"$CONFIG"
            ;;
    esac
}

# Starts the game and waits until start-up is over; sets WINDOW.
start_game() {
    local found status=0
    "$GAME" >>"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    found=$(wait_window_or_exit '^(Pondlark Remake|Error|ERROR)$' 240) || status=$?
    if [ "$status" != 0 ]; then
        cat "$WORK/game.log"
        [ "$status" = 1 ] && fail "$1: the game ended without a window"
        fail "$1: no window after 240 s"
    fi
    WINDOW=${found%% *}
    [ "${found#* }" = "Pondlark Remake" ] || { cat "$WORK/game.log"; fail "$1: box \"${found#* }\""; }
    # Start-up is over once the loading window has closed.
    for _ in $(seq 300); do
        xdotool search --onlyvisible --name '^Pondlark Remake loading$' >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "$1: the loading window stays"
}

close_game() {
    "$WM_CLOSE" "$WINDOW"
    wait_exit 30 || fail "$1: the game did not end after the close request"
    [ "$GAME_STATUS" = 0 ] || { cat "$WORK/game.log"; fail "$1: exit status $GAME_STATUS"; }
}

alive() {
    kill -0 "$GAME_PID" 2>/dev/null || { cat "$WORK/game.log"; fail "$1: the game ended by itself"; }
}

# The value line of a key in the saved file, or nothing.
saved_value() {
    awk -v key="<$1 type=" 'found { sub(/\r$/, ""); sub(/^ +/, ""); print; exit }
        index($0, key) == 2 { found = 1 }' "$CONFIG"
}

expect_value() {
    local value
    value=$(saved_value "$2")
    [ "$value" = "$3" ] || fail "$1: saved $2 is \"$value\", expected \"$3\""
}

# A saved file must read back whole: a second run writes it again byte for byte
# and keeps no copy of a damaged file.
check_reads_back() {
    cp "$CONFIG" "$WORK/saved.cfg"
    rm -f "$CONFIG.bak"
    start_game "$1 (second run)"
    close_game "$1 (second run)"
    cmp -s "$CONFIG" "$WORK/saved.cfg" || fail "$1: the saved file does not read back unchanged"
    [ ! -e "$CONFIG.bak" ] || fail "$1: the saved file reads as damaged"
}

run_case() {
    local name=$1 inode
    : >"$WORK/game.log"
    prepare "$name"
    [ -e "$CONFIG" ] && cp "$CONFIG" "$WORK/before.cfg"
    [ -f "$HOME/.config/Grubwick" ] && cp "$HOME/.config/Grubwick" "$WORK/before.cfg"

    inode=$(stat -L -c %i "$CONFIG" 2>/dev/null || true)
    start_game "$name"
    # A "Graphics" size no window can have falls back to 800 x 600.
    if [ "$name" != "${name%_window}" ]; then
        geometry=$(xdotool getwindowgeometry "$WINDOW" | awk '/Geometry/ {print $2}')
        [ "$geometry" = 800x600 ] || fail "$name: window is $geometry, expected 800x600"
    fi
    sleep 1.5
    alive "$name"
    # Return on the title starts a new game; the new game saves the settings.
    xdotool mousemove --window "$WINDOW" 100 100 windowfocus --sync "$WINDOW" 2>/dev/null || true
    for _ in 1 2; do
        xdotool keydown Return
        sleep 0.12
        xdotool keyup Return
        sleep 0.12
    done
    sleep 1.5
    alive "$name"
    case $name in
        no_folder) ;;
        *)
            # A save replaces the file, so its inode changes.
            for _ in $(seq 100); do
                [ "$(stat -L -c %i "$CONFIG" 2>/dev/null)" != "$inode" ] && break
                sleep 0.1
            done
            [ "$(stat -L -c %i "$CONFIG" 2>/dev/null)" != "$inode" ] ||
                fail "$name: starting a new game did not save the settings"
            ;;
    esac
    close_game "$name"

    case $name in
        no_folder)
            [ -f "$HOME/.config/Grubwick" ] || fail "$name: the blocking file is gone"
            cmp -s "$HOME/.config/Grubwick" "$WORK/before.cfg" || fail "$name: blocking file changed"
            ;;
        *)
            [ -f "$CONFIG" ] || fail "$name: no settings file saved"
            ! compgen -G "$CONFIG.*.tmp" >/dev/null || fail "$name: temporary file left"
            level=$(saved_value StartingLevel)
            [ -n "$level" ] && [ "$level" -ge 1 ] && [ "$level" -le 39 ] ||
                fail "$name: saved StartingLevel \"$level\""
            ;;
    esac
    # What the loader could not read is kept once, as it was, beside the new file.
    case $name in
        garbage | binary)
            cmp -s "$CONFIG.bak" "$WORK/before.cfg" || fail "$name: no copy of the damaged file"
            ;;
        no_folder) ;;
        *) [ ! -e "$CONFIG.bak" ] || fail "$name: a whole file was kept as damaged" ;;
    esac
    case $name in
        leftover_tmp)
            [ -d "$CONFIG.tmp" ] && [ -z "$(ls -A "$CONFIG.tmp")" ] ||
                fail "$name: the old folder changed"
            ;;
        linked)
            [ -L "$CONFIG" ] || fail "$name: the link was replaced"
            [ "$(stat -c %a "$HOME/dotfiles/Pondlark.cfg")" = 600 ] ||
                fail "$name: the file's mode is now $(stat -c %a "$HOME/dotfiles/Pondlark.cfg")"
            ;;
    esac
    case $name in
        huge_numbers)
            # Numbers beyond 32 bits read as 0; the game clamps what it uses.
            expect_value "$name" NumberOfFrogs 0
            expect_value "$name" SoundVolume 1000000
            expect_value "$name" StartingLevel 39
            ;;
        negative_frogs)
            expect_value "$name" NumberOfFrogs -3
            expect_value "$name" StartingLevel 1
            ;;
        long_value | many_options) expect_value "$name" NumberOfFrogs 4 ;;
    esac
    case $name in
        no_folder) ;;
        *) check_reads_back "$name" ;;
    esac
    echo "ok $name"
}

start_extra_x
export DISPLAY=$EXTRA_DISPLAY
for name in garbage binary huge_numbers negative_frogs long_value many_options no_folder \
    leftover_tmp linked huge_window tiny_window; do
    run_case "$name"
done
echo "damaged_settings: passed"
