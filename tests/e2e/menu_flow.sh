#!/usr/bin/env bash
# A player's whole path through the menus with nothing but key presses, from an empty HOME:
# change three settings, start a game (which saves them), pause it, abort it and leave
# through EXIT with status 0, the settings still saved.
source "$(dirname "$0")/lib.sh"
GAME=$1

SHOTS=$WORK/shots
LOOK=/tmp/menu-shots
mkdir -p "$SHOTS" "$LOOK"
rm -f "$LOOK"/*.png
config="$HOME/.config/Grubwick/PondlarkRemake/Pondlark.cfg"

# What the file must hold, byte for byte, once the game has started.
printf '%s\r\n' \
    '<Game>' \
    ' <NumberOfFrogs type="Integer">' \
    '  3' \
    ' </NumberOfFrogs>' \
    ' <FrogsCollision type="Boolean">' \
    '  0' \
    ' </FrogsCollision>' \
    ' <StartingLevel type="Integer">' \
    '  1' \
    ' </StartingLevel>' \
    '</Game>' \
    '<Sound>' \
    ' <SoundVolume type="Integer">' \
    '  23' \
    ' </SoundVolume>' \
    '</Sound>' >"$WORK/expected.cfg"

# The menus draw on a 640 x 360 canvas stretched over the 800 x 600 window. Entry heights:
TITLE_ROWS=(190 165 140 115 90 65)
VOLUME_ROWS=(330 305 280 255)
FROG_ROWS=(330 314 292 276 254 238 216)  # three frogs, two rows each, then the return row
# The highlighted entry pulses between (0.6, 0.2, 0.54) and (1, 0.6, 0.9), red always 0.4 above
# green; other entries are white and the colour swatches are further from it.
PULSE='abs(r - g - 0.4) < 0.06 && b > g + 0.2'

# The index of the one highlighted entry among the rows (canvas heights), or -1: the entry
# whose band holds a pulsing ">" in the marker column, x 35 to 52 pixels.
highlighted() {
    local file=$1 size=$2
    shift 2
    convert "$file" -crop 26x480+30+20 +repage -depth 8 txt:- |
        awk -F'[,:() ]+' -v size="$size" -v rows="$*" '
            NR > 1 {
                d = $3 - $4 - 102
                if (d < 0) d = -d
                if (d < 15 && $5 > $4 + 51) count[$2 + 20]++
            }
            END {
                n = split(rows, ys, " ")
                best = -1
                most = 15
                for (i = 1; i <= n; i++) {
                    top = int(600 - (ys[i] + size) * 600 / 360)
                    sum = 0
                    for (y = top; y < top + int(2 * size * 600 / 360); y++) sum += count[y]
                    if (sum > most) {
                        best = i - 1
                        most = sum
                    }
                }
                print best
            }'
}

# Takes a picture under the name and keeps a copy where a person can look at it.
snap() {
    screenshot "$window" "$SHOTS/$1.png" && cp "$SHOTS/$1.png" "$LOOK/$1.png"
}

# True when the window shows the entry `want` of these rows highlighted.
showing() {
    local name=$1 size=$2 want=$3
    shift 3
    snap "$name" || return 1
    [ "$(highlighted "$SHOTS/$name.png" "$size" "$@")" = "$want" ]
}

# The green "PONDLARK" swaying above the title entries.
title_words() {
    snap "$1" || return 1
    local n
    n=$(count_pixels "$SHOTS/$1.png" 560x110+120+60 'g > 0.8 && r < 0.5 && b < 0.4') || return 1
    [ "${n:-0}" -gt 400 ]
}

no_title() {
    ! title_words "$1"
}

# Text pixels, white or pulsing, in the square of glyph k of the entry at height y.
glyph_pixels() {
    local file=$1 region
    region=$(awk -v y="$2" -v s="$3" -v k="$4" 'BEGIN { w = 2 * s * 1.25 * 0.8
        printf "%dx%d+%d+%d", w, int(2 * s * 600 / 360), int(1.25 * (60 + 2 * s * k) - w / 2),
            int(600 - (y + s) * 600 / 360) }')
    count_pixels "$file" "$region" "($PULSE) || (r > 0.85 && g > 0.85 && b > 0.75)"
}

# True once glyph k of the entry at height y (size 7) has fewer text pixels than the limit.
glyph_fades() {
    local name=$1 y=$2 k=$3 limit=$4 n
    snap "$name" || return 1
    n=$(glyph_pixels "$SHOTS/$name.png" "$y" 7 "$k") || return 1
    [ "${n:-0}" -lt "$limit" ]
}

# Pixels that differ between two pictures of the world below the menu rows, 0.3 s apart.
world_changes() {
    snap "$1-a" || return 1
    sleep 0.3
    snap "$1-b" || return 1
    compare -metric AE "$SHOTS/$1-a.png[800x330+0+270]" "$SHOTS/$1-b.png[800x330+0+270]" \
        null: 2>&1 >/dev/null | awk '{ print int($1) }'
}

world_moving() {
    [ "$(world_changes "$1")" -gt 0 ]
}

world_frozen() {
    [ "$(world_changes "$1")" = 0 ]
}

expect_screen() {
    local what=$1
    shift
    wait_until 10 "$@" || fail "$what never showed"
}

start_x
"$GAME" >"$WORK/game.log" 2>&1 &
GAME_PID=$!
window=$(wait_window '^Pondlark Remake$' 60) || { cat "$WORK/game.log"; fail "main window never appeared"; }
# Without a window manager the pointer gives the window the keyboard.
xdotool mousemove --window "$window" 400 300
wait_until 60 title_words title || { cat "$WORK/game.log"; fail "the title never showed"; }
expect_screen "START NEW GAME highlighted" showing title 7 0 "${TITLE_ROWS[@]}"

# NUMBER OF FROGS: 2 -> 3.
press_key Down
expect_screen "NUMBER OF FROGS highlighted" showing title-number 7 1 "${TITLE_ROWS[@]}"
press_key Right

# A look at the frogs settings: three frogs give seven rows, and Up wraps to the return row.
press_key Down
expect_screen "FROGS SETTINGS highlighted" showing title-frogs-settings 7 2 "${TITLE_ROWS[@]}"
press_key Return
expect_screen "the frogs settings" showing frogs-settings 6 0 "${FROG_ROWS[@]}"
pink=$(count_pixels "$SHOTS/frogs-settings.png" 190x20+275+194 'r > 0.8 && g < 0.3 && b > 0.45')
[ "${pink:-0}" -gt 300 ] || fail "no pink swatch for frog 3 ($pink pixels)"
press_key Up
expect_screen "RETURN TO MENU on row 6" showing frogs-return 6 6 "${FROG_ROWS[@]}"
press_key Return
expect_screen "the title with FROGS SETTINGS highlighted" showing title-back 7 2 "${TITLE_ROWS[@]}"

# OPTIONS: SOUND VOLUME 25 -> 23, FROG COLLISION off, back to the title.
press_key Down 2
expect_screen "OPTIONS highlighted" showing title-options 7 4 "${TITLE_ROWS[@]}"
press_key Return
expect_screen "the options" showing options-before 7 0 "${VOLUME_ROWS[@]}"
# The bar's last character (glyph 31) turns from a block into a dash.
last=$(glyph_pixels "$SHOTS/options-before.png" 330 7 31)
[ "${last:-0}" -gt 150 ] || fail "SOUND VOLUME does not start with a full bar ($last)"
press_key Left
expect_screen "a shorter SOUND VOLUME bar" glyph_fades options-volume 330 31 60
press_key Down 2
expect_screen "FROG COLLISION highlighted" showing options-collision 7 2 "${VOLUME_ROWS[@]}"
# "YES" becomes "NO": glyph 18, the "S", goes blank.
last=$(glyph_pixels "$SHOTS/options-collision.png" 280 7 18)
[ "${last:-0}" -gt 40 ] || fail "FROG COLLISION does not start at YES ($last)"
press_key Right
expect_screen "FROG COLLISION: NO" glyph_fades options 280 18 10
press_key Down
expect_screen "RETURN TO MENU highlighted" showing options-return 7 3 "${VOLUME_ROWS[@]}"
press_key Return
expect_screen "the title with OPTIONS highlighted" showing title-from-options 7 4 "${TITLE_ROWS[@]}"

# START NEW GAME: entry 0 is two steps down, past EXIT.
press_key Down 2
expect_screen "START NEW GAME highlighted again" showing title-start 7 0 "${TITLE_ROWS[@]}"
[ ! -e "$config" ] || fail "settings written before the game started"
press_key Return
if ! wait_until 10 cmp -s "$config" "$WORK/expected.cfg"; then
    echo "expected:" >&2
    od -c "$WORK/expected.cfg" >&2
    echo "written:" >&2
    od -c "$config" >&2 || true
    fail "settings file after START NEW GAME is not the expected 16 lines"
fi
# The game runs with no menu over it.
expect_screen "the game without the title" no_title game
showing game 7 -1 "${VOLUME_ROWS[@]}" || fail "a menu is drawn over the running game"
expect_screen "the world moving" world_moving game-running

# Escape pauses the game under the in-game menu; ABORT GAME is entry 3.
press_key Escape
expect_screen "the in-game menu" showing in-game-menu 7 0 "${VOLUME_ROWS[@]}"
# Its third row is RETURN TO GAME, 14 letters, not the options' FROG COLLISION: NO.
last=$(glyph_pixels "$SHOTS/in-game-menu.png" 280 7 16)
[ "${last:-1}" -lt 10 ] || fail "the third row is not RETURN TO GAME ($last)"
expect_screen "the paused world standing still" world_frozen game-paused
press_key Down 3
expect_screen "ABORT GAME highlighted" showing in-game-abort 7 3 "${VOLUME_ROWS[@]}"
press_key Return
wait_until 10 title_words title-after-abort || fail "ABORT GAME did not return to the title"
expect_screen "the title at START NEW GAME" showing title-after-abort 7 0 "${TITLE_ROWS[@]}"

# Up wraps from entry 0 to EXIT.
press_key Up
expect_screen "EXIT highlighted" showing title-exit 7 5 "${TITLE_ROWS[@]}"
press_key Return
wait_exit 20 || fail "the game did not end after EXIT"
[ "$GAME_STATUS" = 0 ] || { cat "$WORK/game.log"; fail "exit status $GAME_STATUS after EXIT"; }
cmp -s "$config" "$WORK/expected.cfg" || {
    od -c "$config" >&2
    fail "settings file changed by playing, aborting or leaving"
}
echo "menu_flow: passed"
