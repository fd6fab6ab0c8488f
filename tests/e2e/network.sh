#!/usr/bin/env bash
# A host and a guest on two X servers play one game through a slow, lossy link (30 ms each
# way, 3 % of datagrams lost), each steering its own frog with keys beside two computer
# frogs; Escape on the guest opens the in-game menu on both and ABORT GAME on the host ends
# the game for both. Both exit 0 with the same summing-up line, neither settings file is
# written, the two paused pictures are the same, and each side's recording replays to that
# line. A second game ends by closing the guest's window mid-game: the guest exits 0, the
# host 6, and both print the same line. Last, a join that nobody answers ends in a message
# box, and a kill ends the program at once with the status the box would have given.
source "$(dirname "$0")/lib.sh"
GAME=$1
WM_CLOSE=$2
RELAY=$(dirname "$2")/udp_relay
HOST_PORT=$((20000 + RANDOM % 20000))
LINK_PORT=$((HOST_PORT + 1))
CONFIG=Grubwick/PondlarkRemake/Pondlark.cfg
LINE='^game ended after [0-9]+ steps at level [0-9]+; totals [0-9]+ [0-9]+ [0-9]+ [0-9]+$'
GUEST_PID=
RELAY_PID=
trap 'kill -9 $GUEST_PID $RELAY_PID 2>/dev/null || true; cleanup' EXIT

# Runs a command on the guest's X server with the guest's settings folder.
guest() {
    DISPLAY=$EXTRA_DISPLAY XDG_CONFIG_HOME=$WORK/guest "$@"
}

# Taps the keys one after another, on the X server DISPLAY names.
play() {
    for key in "$@"; do
        press_key "$key"
        sleep 0.2
    done
}

start_x
start_extra_x
mkdir -p "$(dirname "$WORK/host/$CONFIG")" "$WORK/guest"
{
    printf '<Game>\r\n'
    option NumberOfFrogs Integer 4
    option Frog1_control Integer 0
    option Frog2_control Integer 1
    option Frog3_control Integer 4
    option Frog4_control Integer 4
    printf '</Game>\r\n'
    router_off_settings
} >"$WORK/host/$CONFIG"
cp "$WORK/host/$CONFIG" "$WORK/settings.before"

"$RELAY" "$LINK_PORT" "$HOST_PORT" 30 3 22 2>"$WORK/relay.err" &
RELAY_PID=$!
XDG_CONFIG_HOME=$WORK/host "$GAME" --host --port "$HOST_PORT" --record "$WORK/host.rec" \
    >"$WORK/host.out" 2>"$WORK/host.err" &
GAME_PID=$!
wait_until 60 grep -q "waiting for a player on UDP port $HOST_PORT" "$WORK/host.err" ||
    fail "the host did not wait: $(cat "$WORK/host.err")"
guest "$GAME" --join "127.0.0.1:$LINK_PORT" --record "$WORK/guest.rec" \
    >"$WORK/guest.out" 2>"$WORK/guest.err" &
GUEST_PID=$!
host_window=$(wait_window '^Pondlark Remake$' 60) || fail "no host window"
guest_window=$(guest wait_window '^Pondlark Remake$' 60) || fail "no guest window"
xdotool mousemove --window "$host_window" 400 300
guest xdotool mousemove --window "$guest_window" 400 300
sleep 1

# Each side steers its own frog, the host with the arrows, the guest with the other scheme.
play Left Up Control_R Right Up Left Left Up Control_R Right &
guest play d w Control_L a w d d w Control_L a
wait $!
# Long enough that the computer frogs have eaten: at level 1 nobody has in about 3 % of
# games after 800 steps, in none of thousands after 1500.
sleep 25
guest press_key Escape
sleep 1
screenshot "$host_window" "$WORK/host.png"
guest screenshot "$guest_window" "$WORK/guest.png"
# Below the menu, whose highlighted row pulses with each side's own clock.
[ "$(compare -metric AE -extract 800x400+0+200 "$WORK/host.png" "$WORK/guest.png" null: 2>&1)" = 0 ] ||
    fail "the two sides show different paused games"
# ABORT GAME, the bottom row, is one up from the top.
press_key Up
press_key Return
wait_exit 20 || fail "ABORT GAME did not end the host"
[ "$GAME_STATUS" = 0 ] || fail "host: exit status $GAME_STATUS: $(cat "$WORK/host.err")"
GAME_PID=$GUEST_PID
GUEST_PID=
wait_exit 20 || fail "ABORT GAME on the host did not end the guest"
[ "$GAME_STATUS" = 0 ] || fail "guest: exit status $GAME_STATUS: $(cat "$WORK/guest.err")"
kill "$RELAY_PID"
wait "$RELAY_PID" || true
cat "$WORK/relay.err"
grep -Eq 'server [1-9][0-9]* forwarded, [1-9][0-9]* dropped; .* [1-9][0-9]* forwarded, [1-9][0-9]* dropped' \
    "$WORK/relay.err" || fail "the link did not both carry and lose datagrams each way"

grep -Eq "$LINE" "$WORK/host.out" || fail "host printed: $(cat "$WORK/host.out")"
cmp -s "$WORK/host.out" "$WORK/guest.out" ||
    fail "host printed \"$(cat "$WORK/host.out")\", guest \"$(cat "$WORK/guest.out")\""
steps=$(awk '{print $4}' "$WORK/host.out")
[ "$steps" -gt 900 ] || fail "only $steps steps played"
awk '{exit !($10 + $11 + $12 + $13 > 0)}' "$WORK/host.out" || fail "nobody ate: $(cat "$WORK/host.out")"
cmp -s "$WORK/host/$CONFIG" "$WORK/settings.before" || fail "the host wrote its settings file"
[ -z "$(find "$WORK/guest" -type f)" ] || fail "the guest wrote $(find "$WORK/guest" -type f)"

# Both recordings at once, one on each X server.
"$GAME" --replay "$WORK/host.rec" >"$WORK/host-replay.out" 2>/dev/null &
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
echo "network: $(cat "$WORK/host.out")"

# A window closed mid-game: both sides sum the game up where they both last agreed.
XDG_CONFIG_HOME=$WORK/host "$GAME" --host --port "$HOST_PORT" >"$WORK/host.out" \
    2>"$WORK/host.err" &
GAME_PID=$!
wait_until 60 grep -q "waiting for a player on UDP port $HOST_PORT" "$WORK/host.err" ||
    fail "the host did not wait again: $(cat "$WORK/host.err")"
guest "$GAME" --join "127.0.0.1:$HOST_PORT" >"$WORK/guest.out" 2>"$WORK/guest.err" &
GUEST_PID=$!
guest_window=$(guest wait_window '^Pondlark Remake$' 60) || fail "no guest window"
sleep 8
guest "$WM_CLOSE" "$guest_window"
closing=$GAME_PID
GAME_PID=$GUEST_PID
GUEST_PID=
wait_exit 20 || fail "closing its window did not end the guest"
[ "$GAME_STATUS" = 0 ] || fail "guest: exit status $GAME_STATUS: $(cat "$WORK/guest.err")"
GAME_PID=$closing
# The host's message box says the other player left; a kill ends it with that status.
wait_until 20 grep -q "has left the game" "$WORK/host.err" ||
    fail "the host did not see the guest go: $(cat "$WORK/host.err")"
sleep 1
kill -TERM "$GAME_PID"
wait_exit 5 || fail "the host did not end on SIGTERM over its message box"
[ "$GAME_STATUS" = 6 ] || fail "host: exit status $GAME_STATUS: $(cat "$WORK/host.err")"
grep -Eq "$LINE" "$WORK/guest.out" || fail "guest printed: $(cat "$WORK/guest.out")"
cmp -s "$WORK/host.out" "$WORK/guest.out" ||
    fail "closed window: host printed \"$(cat "$WORK/host.out")\", guest \"$(cat "$WORK/guest.out")\""
echo "network, closed window: $(cat "$WORK/host.out")"
echo "network: passed"
