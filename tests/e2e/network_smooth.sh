#!/usr/bin/env bash
# A network game with smoothed motion on the host only (paced to 144 frames a second) and
# off on the guest: both sides end with the same summing-up line, the two paused pictures
# are the same, the two recordings are the same bytes and replay to that line, and neither
# settings file is written.
source "$(dirname "$0")/lib.sh"
GAME=$1
HOST_PORT=$((20000 + RANDOM % 20000))
CONFIG=Grubwick/PondlarkRemake/Pondlark.cfg
LINE='^game ended after [0-9]+ steps at level [0-9]+; totals [0-9]+ [0-9]+ [0-9]+ [0-9]+$'
GUEST_PID=
trap 'kill -9 $GUEST_PID 2>/dev/null || true; cleanup' EXIT

# A small window, so that the software renderer keeps up with 144 frames a second.
write_settings() {
    mkdir -p "$(dirname "$1")"
    {
        printf '<Graphics>\r\n'
        option resx Integer 320
        option resy Integer 240
        option SmoothMotion Boolean "$2"
        printf '</Graphics>\r\n<Game>\r\n'
        option NumberOfFrogs Integer 4
        local n
        for n in 1 2 3 4; do
            option "Frog${n}_control" Integer "$((n < 3 ? n - 1 : 4))"
        done
        printf '</Game>\r\n'
        router_off_settings
    } >"$1"
}

guest() {
    DISPLAY=$EXTRA_DISPLAY XDG_CONFIG_HOME=$WORK/guest "$@"
}

play() {
    for key in "$@"; do
        press_key "$key"
        sleep 0.2
    done
}

start_x
start_extra_x
write_settings "$WORK/host/$CONFIG" 1
write_settings "$WORK/guest/$CONFIG" 0
cp "$WORK/host/$CONFIG" "$WORK/host.before"
cp "$WORK/guest/$CONFIG" "$WORK/guest.before"

XDG_CONFIG_HOME=$WORK/host "$GAME" --host --port "$HOST_PORT" --refresh-rate 144 \
    --record "$WORK/host.rec" >"$WORK/host.out" 2>"$WORK/host.err" &
GAME_PID=$!
wait_until 60 grep -q "waiting for a player on UDP port $HOST_PORT" "$WORK/host.err" ||
    fail "the host did not wait: $(cat "$WORK/host.err")"
guest "$GAME" --join "127.0.0.1:$HOST_PORT" --record "$WORK/guest.rec" \
    >"$WORK/guest.out" 2>"$WORK/guest.err" &
GUEST_PID=$!
host_window=$(wait_window '^Pondlark Remake$' 60) || fail "no host window"
guest_window=$(guest wait_window '^Pondlark Remake$' 60) || fail "no guest window"
xdotool mousemove --window "$host_window" 160 120
guest xdotool mousemove --window "$guest_window" 160 120
sleep 1

play Left Up Control_R Right Up Left Left Up Control_R Right &
guest play d w Control_L a w d d w Control_L a
wait $!
sleep 20
guest press_key Escape
sleep 1
screenshot "$host_window" "$WORK/host.png"
guest screenshot "$guest_window" "$WORK/guest.png"
# Below the menu, whose highlighted row pulses with each side's own clock.
[ "$(compare -metric AE -extract 320x110+0+130 "$WORK/host.png" "$WORK/guest.png" null: 2>&1)" = 0 ] ||
    fail "the two sides show different paused games"
press_key Up
press_key Return
wait_exit 20 || fail "ABORT GAME did not end the host"
[ "$GAME_STATUS" = 0 ] || fail "host: exit status $GAME_STATUS: $(cat "$WORK/host.err")"
GAME_PID=$GUEST_PID
GUEST_PID=
wait_exit 20 || fail "ABORT GAME on the host did not end the guest"
[ "$GAME_STATUS" = 0 ] || fail "guest: exit status $GAME_STATUS: $(cat "$WORK/guest.err")"

grep -Eq "$LINE" "$WORK/host.out" || fail "host printed: $(cat "$WORK/host.out")"
cmp -s "$WORK/host.out" "$WORK/guest.out" ||
    fail "host printed \"$(cat "$WORK/host.out")\", guest \"$(cat "$WORK/guest.out")\""
steps=$(awk '{print $4}' "$WORK/host.out")
[ "$steps" -gt 900 ] || fail "only $steps steps played"
cmp -s "$WORK/host.rec" "$WORK/guest.rec" || fail "the two sides recorded different games"
cmp -s "$WORK/host/$CONFIG" "$WORK/host.before" || fail "the host wrote its settings file"
cmp -s "$WORK/guest/$CONFIG" "$WORK/guest.before" || fail "the guest wrote its settings file"

# The host's recording replays to the line with smoothing on, the guest's with it off.
XDG_CONFIG_HOME=$WORK/host "$GAME" --replay "$WORK/host.rec" --refresh-rate 144 \
    >"$WORK/host-replay.out" 2>/dev/null &
GAME_PID=$!
guest "$GAME" --replay "$WORK/guest.rec" >"$WORK/guest-replay.out" 2>/dev/null &
GUEST_PID=$!
wait_exit $((steps / 60 + 60)) || fail "the host's replay did not end"
GAME_PID=$GUEST_PID
GUEST_PID=
wait_exit 60 || fail "the guest's replay did not end"
for side in host guest; do
    cmp -s "$WORK/host.out" "$WORK/$side-replay.out" ||
        fail "the $side's recording replayed to: $(cat "$WORK/$side-replay.out")"
done
echo "network_smooth: $(cat "$WORK/host.out")"
echo "network_smooth: passed"
