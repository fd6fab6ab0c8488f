#!/usr/bin/env bash
# Key-to-screen latency on each side of a network game at 0, 60 and 150 ms round trip, 3 % of
# datagrams lost each way (tests/e2e/udp_relay.c between the sides, each on its own X server),
# next to a game alone, first by itself and then beside a second game as a network game has
# one. The probe is key_latency's, pressing Down and Up in the in-game menu of a busy game.
# Then each network game's rollback figures and the two sides' summing-up lines.
# Usage: bench/network_latency.sh BUILD_DIR [PRESSES]   (BUILD_DIR holds pondlark and key_latency)
BUILD=$(cd "${1:?build folder}" && pwd)
PRESSES=${2:-30}
GAME=$BUILD/pondlark
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
source "$SOURCE/tests/soak/headless.sh"
HOST_PORT=$((20000 + RANDOM % 20000))
LINK_PORT=$((HOST_PORT + 1))
GUEST_PID=
RELAY_PID=
GUEST_X=
trap 'kill -9 $GUEST_PID $RELAY_PID $GUEST_X 2>/dev/null || true; cleanup' EXIT

# The rollback figures a side printed: rollbacks a second, the deepest, hashes compared.
rollback_figures() {
    awk -v steps="$(awk '{print $4}' "$WORK/$1.out")" '/network:/ {
        printf "%.1f | %d | %d", steps ? $5 * 60 / steps : 0, $8, $10 }' "$WORK/$1.err"
}

network_game() {
    local delay=$1 host_window guest_window host_latency guest_latency
    "$WORK/udp_relay" "$LINK_PORT" "$HOST_PORT" "$delay" 3 "$delay" 2>"$WORK/relay.err" &
    RELAY_PID=$!
    "$GAME" --host --port "$HOST_PORT" >"$WORK/host.out" 2>"$WORK/host.err" &
    GAME_PID=$!
    for _ in $(seq 300); do
        grep -q "waiting for a player" "$WORK/host.err" && break
        sleep 0.1
    done
    guest "$GAME" --join "127.0.0.1:$LINK_PORT" >"$WORK/guest.out" 2>"$WORK/guest.err" &
    GUEST_PID=$!
    wait_main_window 60 || fail "no host window: $(cat "$WORK/host.err")"
    host_window=$WINDOW
    guest wait_main_window 60 || fail "no guest window: $(cat "$WORK/guest.err")"
    guest_window=$WINDOW
    sleep 2
    random_keys 20 &
    guest random_keys 20
    wait $!
    press_key Escape
    sleep 1
    host_latency=$(probe_menu "$host_window")
    guest_latency=$(guest probe_menu "$guest_window")
    # ABORT GAME, the bottom row, is one up from the top.
    press_key Up
    press_key Return
    wait_status "$GAME_PID"
    echo "host exit status $STATUS: $(cat "$WORK/host.out")" >>"$WORK/lines"
    wait_status "$GUEST_PID"
    echo "guest exit status $STATUS: $(cat "$WORK/guest.out")" >>"$WORK/lines"
    GAME_PID=
    GUEST_PID=
    cmp -s "$WORK/host.out" "$WORK/guest.out" || echo "THE TWO LINES DIFFER" >>"$WORK/lines"
    kill "$RELAY_PID"
    wait "$RELAY_PID" || true
    cat "$WORK/relay.err" >>"$WORK/lines"
    echo "| $((2 * delay)) ms | host | $host_latency | $(rollback_figures host) |"
    echo "| $((2 * delay)) ms | guest | $guest_latency | $(rollback_figures guest) |"
}

cc -O2 -o "$WORK/udp_relay" "$SOURCE/tests/e2e/udp_relay.c"
start_x
start_xvfb 150 199 || fail "no second X server could be started"
GUEST_X=$STARTED_X_PID
GUEST_DISPLAY=$STARTED_X_DISPLAY
mkdir -p "$WORK/guest"
# A busy game: PLAYER 1 and PLAYER 2 and four hard computer frogs.
write_settings 6 1 0 1 4 4 4 4

echo "| link | side | key to screen, median / max | rollbacks a second | deepest | hashes compared |"
echo "|---|---|---|---|---|---|"
start_game
wait_main_window 60 || fail "main window never appeared: $(cat "$WORK/game.log")"
sleep 3
press_key Return
random_keys 5
press_key Escape
alone_window=$WINDOW
echo "| none | a game alone | $(probe_menu "$alone_window") | | | |"
# The same game beside a second busy game on the other X server.
DISPLAY=$GUEST_DISPLAY "$GAME" >/dev/null 2>&1 &
GUEST_PID=$!
guest wait_main_window 60 || fail "no second game"
sleep 3
DISPLAY=$GUEST_DISPLAY press_key Return
echo "| none | a game alone beside another | $(probe_menu "$alone_window") | | | |"
kill -9 "$GAME_PID" "$GUEST_PID"
wait "$GAME_PID" "$GUEST_PID" || true
GAME_PID=
GUEST_PID=

for delay in 0 30 75; do
    network_game "$delay"
done
cat "$WORK/lines"
