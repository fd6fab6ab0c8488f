#!/usr/bin/env bash
# Real games across the lab's routers. For each pair of homes a host and a guest meet
# through the meeting server, play a short game with keys on both sides and end it by ABORT
# GAME: both must print the same line, connect the way those two routers allow (direct, or
# relayed where both give every destination its own port), and a host behind the UPnP
# router must have its port forwarded. Prints the table of pairs with the seconds each join
# took, from the guest's first step to the game's start.
# Usage: games.sh PONDLARK PONDLARK_MEET
set -euo pipefail
GAME=$1
MEET=$2
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../private_x.sh"
source "$HERE/lab.sh"
if [ "$(id -u)" != 0 ]; then
    echo "nat lab games: skipped: network namespaces need root"
    exit 1
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

# The id of the game's window on the X server DISPLAY names, once it shows.
game_window() {
    local id
    for _ in $(seq 300); do
        id=$(xdotool search --onlyvisible --name '^Pondlark Remake$' 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.1
    done
    return 1
}

# Waits up to 20 s for the process to end and sets STATUS to its exit status.
wait_status() {
    local pid=$1
    for _ in $(seq 200); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -9 "$pid" 2>/dev/null; then
        STATUS="still running"
        return
    fi
    STATUS=0
    wait "$pid" || STATUS=$?
}

# One pair: host namespace, guest namespace, the way they must connect, a name for the table.
pair() {
    local host=$1 guest=$2 want=$3 name=$4 dir=$WORK/$4 code window host_pid guest_pid
    mkdir -p "$dir/host" "$dir/guest"
    write_host_settings "$dir/host"
    DISPLAY=$HOST_DISPLAY XDG_CONFIG_HOME=$dir/host lab_run "$host" "$GAME" --host \
        --meet "$LAB_SERVER" >"$dir/host.out" 2>"$dir/host.err" &
    host_pid=$!
    wait_until 60 grep -qs '^join code: ' "$dir/host.err" ||
        fail "$name: the host got no join code: $(cat "$dir/host.err")"
    code=$(sed -n 's/^join code: //p' "$dir/host.err")
    DISPLAY=$GUEST_DISPLAY XDG_CONFIG_HOME=$dir/guest lab_run "$guest" "$GAME" \
        --join-code "$code" --meet "$LAB_SERVER" >"$dir/guest.out" 2>"$dir/guest.err" &
    guest_pid=$!
    wait_until 60 grep -qs 'playing with' "$dir/guest.err" ||
        fail "$name: no game started: host: $(cat "$dir/host.err"); guest: $(cat "$dir/guest.err")"
    local how seconds
    how=$(sed -n 's/.*playing with [^,]*, \([a-z]*\), .*/\1/p' "$dir/guest.err")
    seconds=$(sed -n 's/.*, \([0-9.]*\) s after setting out/\1/p' "$dir/guest.err")
    [ "$how" = "$want" ] || fail "$name: connected $how where $want was expected"

    window=$(DISPLAY=$HOST_DISPLAY game_window) || fail "$name: no host window"
    DISPLAY=$HOST_DISPLAY xdotool mousemove --window "$window" 400 300
    window=$(DISPLAY=$GUEST_DISPLAY game_window) || fail "$name: no guest window"
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
    wait_status "$host_pid"
    host_status=$STATUS
    wait_status "$guest_pid"
    guest_status=$STATUS
    [ "$host_status" = 0 ] && [ "$guest_status" = 0 ] ||
        fail "$name: exit statuses $host_status and $guest_status: $(cat "$dir/host.err" "$dir/guest.err")"
    grep -Eq "$LINE" "$dir/host.out" || fail "$name: host printed: $(cat "$dir/host.out")"
    cmp -s "$dir/host.out" "$dir/guest.out" ||
        fail "$name: host printed \"$(cat "$dir/host.out")\", guest \"$(cat "$dir/guest.out")\""
    grep -qs "network: $want," "$dir/host.err" || fail "$name: host's summary: $(cat "$dir/host.err")"
    local router=no
    grep -qs '^public address: ' "$dir/host.err" && router=$(sed -n 's/^public address: //p' "$dir/host.err")
    printf '| %s | %s | %s s | %s |\n' "$name" "$how" "$seconds" "$router"
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
grep -qs '^relayed ' "$WORK/meet.err" || fail "the meeting server logged no relay: $(cat "$WORK/meet.err")"
echo "nat lab games: passed"
