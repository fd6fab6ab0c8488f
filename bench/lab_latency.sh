#!/usr/bin/env bash
# Key to screen on each side of a game that met through the meeting server in the NAT lab:
# once between two cone routers (direct) and once between two symmetric ones (relayed by the
# server), the busy six-frog game of bench/network_latency.sh, with the same probe. Then the
# round trip each side's link measured. Needs root (network namespaces).
# Usage: bench/lab_latency.sh BUILD_DIR [PRESSES]   (BUILD_DIR holds pondlark, pondlark-meet
# and bench/key_latency)
BUILD=$(cd "${1:?build folder}" && pwd)
PRESSES=${2:-30}
GAME=$BUILD/pondlark
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
source "$SOURCE/tests/soak/headless.sh"
source "$SOURCE/tests/nat_lab/lab.sh"
[ "$(id -u)" = 0 ] || fail "the lab's namespaces need root"
lab_up || fail "the lab could not be built"
trap 'lab_down; cleanup' EXIT
lab_run "$LAB_NET" "$BUILD/pondlark-meet" 2>"$WORK/meet.err" &

met_game() {
    local how=$1 host_ns=$2 guest_ns=$3 code host_window guest_window
    lab_run "$host_ns" "$GAME" --host --meet "$LAB_SERVER" >"$WORK/host.out" 2>"$WORK/host.err" &
    GAME_PID=$!
    wait_until 60 grep -qs '^join code: ' "$WORK/host.err" || fail "no join code"
    code=$(sed -n 's/^join code: //p' "$WORK/host.err")
    guest lab_run "$guest_ns" "$GAME" --join-code "$code" --meet "$LAB_SERVER" \
        >"$WORK/guest.out" 2>"$WORK/guest.err" &
    local guest_pid=$!
    wait_until 60 grep -qs "playing with .*, $how," "$WORK/guest.err" ||
        fail "no $how game: $(cat "$WORK/guest.err")"
    wait_main_window 60 || fail "no host window"
    host_window=$WINDOW
    guest wait_main_window 60 || fail "no guest window"
    guest_window=$WINDOW
    sleep 2
    random_keys 20 &
    guest random_keys 20
    wait $!
    press_key Escape
    sleep 1
    echo "| $how | host | $(probe_menu "$host_window") |"
    echo "| $how | guest | $(guest probe_menu "$guest_window") |"
    press_key Up
    press_key Return
    wait_until 20 grep -qs 'network:' "$WORK/host.err" "$WORK/guest.err"
    sleep 1
    kill -9 "$GAME_PID" "$guest_pid" 2>/dev/null || true
    wait "$GAME_PID" "$guest_pid" 2>/dev/null || true
    GAME_PID=
    grep -h 'network:' "$WORK/host.err" "$WORK/guest.err" >>"$WORK/lines"
    cat "$WORK/host.out" >>"$WORK/lines"
}

start_x
start_xvfb 150 199 || fail "no second X server could be started"
EXTRA_X_PIDS+=("$STARTED_X_PID")
GUEST_DISPLAY=$STARTED_X_DISPLAY
mkdir -p "$WORK/guest"
write_settings 6 1 0 1 4 4 4 4
echo "| connected | side | key to screen, median / max |"
echo "|---|---|---|"
met_game direct "$LAB_HOME_CONE" "$LAB_HOME_CONE2"
met_game relayed "$LAB_HOME_SYMMETRIC" "$LAB_HOME_SYMMETRIC2"
cat "$WORK/lines"
