#!/usr/bin/env bash
# A game recorded with real key presses (one PLAYER 1 frog and two hard computer frogs)
# from START NEW GAME to ABORT GAME replays to the same summing-up line, without touching
# the settings file, even with Escape held through START NEW GAME and the window squeezed
# to extreme shapes mid-game; a relative path means the folder the game started in; Escape
# stops watching; a damaged file gets the "ERROR" box and a failure status; a file cut
# short replays what it has and says so; a path that cannot be written (a folder, a pipe)
# is refused before any window.
source "$(dirname "$0")/lib.sh"
GAME=$1
WM_CLOSE=$2

CONFIG="$HOME/.config/Grubwick/PondlarkRemake/Pondlark.cfg"
ELSEWHERE=$WORK/elsewhere
RECORDING=$ELSEWHERE/game.rec
LINE='^game ended after [0-9]+ steps at level [0-9]+; totals [0-9]+ [0-9]+ [0-9]+$'

# Starts the game with the given options, output in $WORK/NAME.out and .err.
run_game() {
    local name=$1
    shift
    (cd "$ELSEWHERE" && exec "$GAME" "$@") >"$WORK/$name.out" 2>"$WORK/$name.err" &
    GAME_PID=$!
}

start_x
mkdir -p "$(dirname "$CONFIG")" "$ELSEWHERE"
{
    printf '<Game>\r\n'
    option NumberOfFrogs Integer 3
    option Frog1_control Integer 0
    option Frog2_control Integer 4
    option Frog3_control Integer 4
    printf '</Game>\r\n'
} >"$CONFIG"

# 1. A path that cannot be written: refused at once, no window.
mkfifo "$WORK/pipe"
for target in "$WORK" "$WORK/pipe"; do
    run_game refused --record "$target"
    wait_exit 10 || fail "--record into $target did not end"
    [ "$GAME_STATUS" = 2 ] || fail "--record into $target: exit status $GAME_STATUS"
    grep -q "cannot be written" "$WORK/refused.err" ||
        fail "--record into $target: $(cat "$WORK/refused.err")"
done

# 2. Record, from another folder into a relative path: START NEW GAME with Escape held,
# hop, jump and shoot, squeeze the window, let the computer frogs eat, then ABORT GAME.
run_game record --record game.rec
window=$(wait_window '^Pondlark Remake$' 60) || { cat "$WORK/record.err"; fail "no window to record in"; }
xdotool mousemove --window "$window" 400 300
sleep 1
xdotool keydown Escape
press_key Return
sleep 0.5
xdotool keyup Escape
sleep 1
for key in Left Left Up Control_R Right Right Up Up Control_R Left; do
    press_key "$key"
    sleep 0.3
done
xdotool keydown Up
sleep 0.5
xdotool keyup Up
for size in "1900 8" "3 700" "800 600"; do
    xdotool windowsize "$window" $size
    sleep 1
done
sleep 15
press_key Escape
press_key Down 3
press_key Return
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended after ABORT GAME"
"$WM_CLOSE" "$window"
wait_exit 20 || fail "the recording game did not close"
[ "$GAME_STATUS" = 0 ] || { cat "$WORK/record.err"; fail "recording: exit status $GAME_STATUS"; }
[ "$(wc -l <"$WORK/record.out")" = 1 ] || fail "recording printed: $(cat "$WORK/record.out")"
grep -Eq "$LINE" "$WORK/record.out" || fail "recording printed: $(cat "$WORK/record.out")"
steps=$(awk '{print $4}' "$WORK/record.out")
[ "$steps" -gt 300 ] || fail "only $steps steps recorded"
[ -s "$RECORDING" ] || fail "no recording in the folder the game started in"
size=$(stat -c %s "$RECORDING")
echo "recorded in $size bytes: $(cat "$WORK/record.out")"

# 3. Replay: the same line, status 0, the settings file as it was.
cp "$CONFIG" "$WORK/settings.before"
start=$SECONDS
run_game replay --replay game.rec
wait_exit $((steps / 60 + 60)) || fail "the replay did not end by itself"
[ "$GAME_STATUS" = 0 ] || { cat "$WORK/replay.err"; fail "replay: exit status $GAME_STATUS"; }
cmp -s "$WORK/record.out" "$WORK/replay.out" ||
    fail "replay printed \"$(cat "$WORK/replay.out")\", recording \"$(cat "$WORK/record.out")\""
cmp -s "$CONFIG" "$WORK/settings.before" || fail "the replay changed the settings file"
echo "replayed in $((SECONDS - start)) s"

# 4. Escape stops watching early, still with one line and status 0.
run_game escape --replay "$RECORDING"
window=$(wait_window '^Pondlark Remake$' 60) || fail "no window for the replay"
xdotool mousemove --window "$window" 400 300
sleep 2
press_key Escape
wait_exit 10 || fail "Escape did not stop the replay"
[ "$GAME_STATUS" = 0 ] || fail "stopped replay: exit status $GAME_STATUS"
grep -Eq "$LINE" "$WORK/escape.out" || fail "stopped replay printed: $(cat "$WORK/escape.out")"
[ "$(awk '{print $4}' "$WORK/escape.out")" -lt "$steps" ] || fail "Escape did not stop early"

# 5. Cut short: the steps it has, a word on stderr, status 0.
head -c $((size / 2)) "$RECORDING" >"$WORK/cut.rec"
run_game cut --replay "$WORK/cut.rec"
wait_exit $((steps / 60 + 60)) || fail "the cut replay did not end"
[ "$GAME_STATUS" = 0 ] || fail "cut replay: exit status $GAME_STATUS"
grep -q "ended early" "$WORK/cut.err" || fail "cut replay said: $(cat "$WORK/cut.err")"
grep -Eq "$LINE" "$WORK/cut.out" || fail "cut replay printed: $(cat "$WORK/cut.out")"

# 6. Not a recording: the "ERROR" box with the sentence, a failure status, nothing changed.
cp "$CONFIG" "$WORK/not.rec"
run_game damaged --replay "$WORK/not.rec"
box=$(wait_window '^ERROR$' 30) || fail "no ERROR box for a file that is not a recording"
dismiss_box_and_wait_exit ERROR || fail "the game did not end after the ERROR box"
[ "$GAME_STATUS" -ge 1 ] && [ "$GAME_STATUS" -le 127 ] || fail "damaged: exit status $GAME_STATUS"
grep -q "is not a Pondlark recording" "$WORK/damaged.err" ||
    fail "damaged replay said: $(cat "$WORK/damaged.err")"
cmp -s "$CONFIG" "$WORK/not.rec" || fail "the damaged replay changed the settings file"
[ ! -s "$WORK/damaged.out" ] || fail "damaged replay printed: $(cat "$WORK/damaged.out")"
echo "recording: passed"
