#!/usr/bin/env bash
# Real games across the lab's routers. For each pair of homes a host and a guest meet
# through the meeting server, play a short game with keys on both sides and end it by ABORT
# GAME: both must print the same line, connect the way those two routers allow (direct, or
# relayed where both give every destination its own port), and a host behind the UPnP
# router must have its port forwarded. Prints the table of pairs with the seconds each join
# took, from the guest's first step to the game's start.
# Usage: games.sh PONDLARK PONDLARK_MEET UDP_RELAY
set -euo pipefail
GAME=$1
MEET=$2
RELAY=$3
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../private_x.sh"
source "$HERE/lab.sh"
if [ "$(id -u)" != 0 ]; then
    echo "nat lab games: skipped: network namespaces need root"
    exit 77
fi
make_private_home pondlark-lab-games
lab_up || fail "the lab could not be built"
trap 'lab_down; cleanup' EXIT
start_private_x 200 240
HOST_DISPLAY=$DISPLAY
start_xvfb 241 280 || fail "no second X server could be started"
EXTRA_X_PIDS+=("$STARTED_X_PID")
GUEST_DISPLAY=$STARTED_X_DISPLAY
LINE='^game ended after [0-9]+ steps at level [0-9]+; totals [0-9]+ [0-9]+ [0-9]+ [0-9]+$'

lab_run "$LAB_NET" "$MEET" 2>"$WORK/meet.err" &

# Four frogs: the host's keys steer the first, the guest's the second.
write_host_settings() {
    mkdir -p "$1/Grubwick/PondlarkRemake"
    {
        printf '<Game>\r\n'
        option NumberOfFrogs Integer 4
        option Frog1_control Integer 0
        option Frog2_control Integer 1
        option Frog3_control Integer 4
        option Frog4_control Integer 4
        printf '</Game>\r\n'
    } >"$1/Grubwick/PondlarkRemake/Pondlark.cfg"
}

# Starts a host in namespace $1 with the options after it; sets HOST_PID.
start_host() {
    local ns=$1 dir=$2
    shift 2
    mkdir -p "$dir/host" "$dir/guest"
    write_host_settings "$dir/host"
    DISPLAY=$HOST_DISPLAY XDG_CONFIG_HOME=$dir/host lab_run "$ns" "$GAME" --host "$@" \
        >"$dir/host.out" 2>"$dir/host.err" &
    HOST_PID=$!
}

# Starts a guest in namespace $1 with the options after it; sets GUEST_PID.
start_guest() {
    local ns=$1 dir=$2
    shift 2
    DISPLAY=$GUEST_DISPLAY XDG_CONFIG_HOME=$dir/guest lab_run "$ns" "$GAME" "$@" \
        >"$dir/guest.out" 2>"$dir/guest.err" &
    GUEST_PID=$!
}

# Plays the started game with keys on both sides, ends it by ABORT GAME on the host and
# checks both ends; prints the table's row.
play_and_end() {
    local name=$1 dir=$2 want=$3 window how seconds
    wait_until 60 grep -qs 'playing with' "$dir/guest.err" ||
        fail "$name: no game started: host: $(cat "$dir/host.err"); guest: $(cat "$dir/guest.err")"
    how=$(sed -n 's/.*playing with [^,]*, \([a-z]*\), .*/\1/p' "$dir/guest.err")
    seconds=$(sed -n 's/.*, \([0-9.]*\) s after setting out/\1/p' "$dir/guest.err")
    [ "$how" = "$want" ] || fail "$name: connected $how where $want was expected"

    window=$(DISPLAY=$HOST_DISPLAY wait_window '^Pondlark Remake$' 30) || fail "$name: no host window"
    DISPLAY=$HOST_DISPLAY xdotool mousemove --window "$window" 400 300
    window=$(DISPLAY=$GUEST_DISPLAY wait_window '^Pondlark Remake$' 30) || fail "$name: no guest window"
    DISPLAY=$GUEST_DISPLAY xdotool mousemove --window "$window" 400 300
    local host_keys=(Left Up Control_R Right Up) guest_keys=(a w Control_L d w) i
    for i in "${!host_keys[@]}"; do
        DISPLAY=$HOST_DISPLAY press_key "${host_keys[$i]}"
        DISPLAY=$GUEST_DISPLAY press_key "${guest_keys[$i]}"
    done
    sleep 3
    DISPLAY=$GUEST_DISPLAY press_key Escape
    sleep 1
    # ABORT GAME, the bottom row, is one up from the top.
    DISPLAY=$HOST_DISPLAY press_key Up
    DISPLAY=$HOST_DISPLAY press_key Return
    local host_status guest_status
    wait_status "$HOST_PID"
    host_status=$STATUS
    wait_status "$GUEST_PID"
    guest_status=$STATUS
    [ "$host_status" = 0 ] && [ "$guest_status" = 0 ] ||
        fail "$name: exit statuses $host_status and $guest_status: $(cat "$dir/host.err" "$dir/guest.err")"
    grep -Eq "$LINE" "$dir/host.out" || fail "$name: host printed: $(cat "$dir/host.out")"
    cmp -s "$dir/host.out" "$dir/guest.out" ||
        fail "$name: host printed \"$(cat "$dir/host.out")\", guest \"$(cat "$dir/guest.out")\""
    grep -q "network: $want, " "$dir/host.err" || fail "$name: host's summary: $(cat "$dir/host.err")"
    grep -Eq "network: .* [1-9][0-9]* hashes compared" "$dir/guest.err" ||
        fail "$name: no hashes were compared: $(cat "$dir/guest.err")"
    local router=no
    if grep -q '^public address: ' "$dir/host.err"; then
        router=$(sed -n 's/^public address: //p' "$dir/host.err")
        # The forward goes with the game.
        ! lab_run "$LAB_UPNP_ROUTER" nft list table inet "$LAB_UPNP_TABLE" | grep -q 'dport 7410' ||
            fail "$name: the router still forwards the port after the game"
    fi
    printf '| %s | %s | %s s | %s |\n' "$name" "$how" "$seconds" "$router"
}

# One pair: host namespace, guest namespace, the way they must connect, a name for the table.
pair() {
    local host=$1 guest=$2 want=$3 name=$4 dir=$WORK/$4 code
    start_host "$host" "$dir" --meet "$LAB_SERVER"
    wait_until 60 grep -qs '^join code: ' "$dir/host.err" ||
        fail "$name: the host got no join code: $(cat "$dir/host.err")"
    code=$(sed -n 's/^join code: //p' "$dir/host.err")
    start_guest "$guest" "$dir" --join-code "$code" --meet "$LAB_SERVER"
    play_and_end "$name" "$dir" "$want"
}

# A game whose every datagram takes 75 ms each way through a relay on the internet, and
# loses 3 % of them: joined by address to a public host, or met through the meeting server
# and carried by its relay (the guest reaches the server only through the delay, so no
# direct way opens).
slow_pair() {
    local want=$1 name=$2 dir=$WORK/$2 code
    if [ "$want" = direct ]; then
        lab_run "$LAB_NET" "$RELAY" 7420 7410 75 3 1 "$LAB_SERVER2" 10.1.0.2 2>/dev/null &
        start_host "$LAB_HOME_PUBLIC" "$dir"
        wait_until 60 grep -qs 'waiting for a player' "$dir/host.err" || fail "$name: no host"
        start_guest "$LAB_HOME_CONE" "$dir" --join "$LAB_SERVER2:7420"
    else
        lab_run "$LAB_NET" "$RELAY" 7421 7411 75 3 2 "$LAB_SERVER2" "$LAB_SERVER" 2>/dev/null &
        start_host "$LAB_HOME_SYMMETRIC" "$dir" --meet "$LAB_SERVER"
        wait_until 60 grep -qs '^join code: ' "$dir/host.err" || fail "$name: no join code"
        code=$(sed -n 's/^join code: //p' "$dir/host.err")
        start_guest "$LAB_HOME_SYMMETRIC2" "$dir" --join-code "$code" --meet "$LAB_SERVER2:7421"
    fi
    play_and_end "$name" "$dir" "$want"
}

echo "| host and guest | connected | join took | host's port forwarded by its router |"
echo "|---|---|---|---|"
pair "$LAB_HOME_PUBLIC" "$LAB_HOME_CONE" direct "public, cone"
pair "$LAB_HOME_CONE" "$LAB_HOME_CONE2" direct "cone, cone"
pair "$LAB_HOME_CARRIER" "$LAB_HOME_CONE" direct "carrier NAT, cone"
pair "$LAB_HOME_DUO_A" "$LAB_HOME_DUO_B" direct "two behind one router"
pair "$LAB_HOME_SYMMETRIC" "$LAB_HOME_PUBLIC" direct "symmetric, public"
pair "$LAB_HOME_UPNP" "$LAB_HOME_SYMMETRIC" direct "UPnP router, symmetric"
pair "$LAB_HOME_CONE" "$LAB_HOME_SYMMETRIC" relayed "cone, symmetric"
pair "$LAB_HOME_SYMMETRIC" "$LAB_HOME_SYMMETRIC2" relayed "symmetric, symmetric"
slow_pair direct "public, cone, 150 ms round trip"
slow_pair relayed "symmetric, symmetric, 150 ms round trip"
grep -qs '^relayed ' "$WORK/meet.err" || fail "the meeting server logged no relay: $(cat "$WORK/meet.err")"
echo "nat lab games: passed"
