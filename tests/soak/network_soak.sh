#!/usr/bin/env bash
# A long network game of random keys on both sides through a slow, lossy relay: both sides
# must end with the same line, no hash difference and, with a sanitizer build, no report.
# Usage: tests/soak/network_soak.sh GAME RELAY [SECONDS]   (RELAY: build/tests/udp_relay)
set -euo pipefail
GAME=$(realpath "${1:?game}")
RELAY=$(realpath "${2:?relay}")
SECONDS_TO_PLAY=${3:-600}
source "$(dirname "$0")/../private_x.sh"
make_private_home pondlark-network-soak
pids=()
trap '{ kill -9 "${pids[@]}"; wait; } 2>/dev/null || true; rm -rf "$WORK"' EXIT
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Mesa's driver leaks a little and is unloaded before the leak check can name it, so a leak
# report fails the run only when it names the game's own code.
export LSAN_OPTIONS=suppressions=$(realpath "$(dirname "$0")")/lsan.supp:print_suppressions=0:exitcode=0
PORT=$((20000 + RANDOM % 20000))

start_side() {  # NAME DISPLAY-RANGE ARGS...
    local name=$1 first=$2
    shift 2
    start_xvfb "$first" $((first + 20)) || { echo "no X server"; exit 1; }
    pids+=("$STARTED_X_PID")
    eval "${name}_display=$STARTED_X_DISPLAY"
    mkdir -p "$WORK/$name/Grubwick/PondlarkRemake"
    # Six frogs: PLAYER 1, PLAYER 2 and four computer frogs, one of each skill and a hard one.
    printf '<Game>\r\n <NumberOfFrogs type="Integer">\r\n  6\r\n </NumberOfFrogs>\r\n' \
        >"$WORK/$name/Grubwick/PondlarkRemake/Pondlark.cfg"
    printf ' <Frog2_control type="Integer">\r\n  1\r\n </Frog2_control>\r\n</Game>\r\n' \
        >>"$WORK/$name/Grubwick/PondlarkRemake/Pondlark.cfg"
    router_off_settings >>"$WORK/$name/Grubwick/PondlarkRemake/Pondlark.cfg"
    DISPLAY=$STARTED_X_DISPLAY XDG_CONFIG_HOME=$WORK/$name "$GAME" "$@" \
        >"$WORK/$name.out" 2>"$WORK/$name.err" &
    eval "${name}_pid=$!"
}

start_side host 210 --host --port "$PORT"
"$RELAY" $((PORT + 1)) "$PORT" 40 3 1 2>"$WORK/relay.log" &
relay_pid=$!
pids+=("$relay_pid")
sleep 2
start_side guest 240 --join "127.0.0.1:$((PORT + 1))"
pids+=("$host_pid" "$guest_pid")

# Moves, jumps and tongues on each side (never Escape or Return, so the game goes on).
random_keys() {  # DISPLAY
    local keys=(Left Right Up Down Control_R a d w s Control_L) key
    key=${keys[RANDOM % ${#keys[@]}]}
    DISPLAY=$1 xdotool keydown "$key" sleep 0.$((RANDOM % 4 + 1)) keyup "$key" >/dev/null 2>&1 || true
}
# No window manager: the pointer over each window gives it the keyboard.
for display in "$host_display" "$guest_display"; do
    for _ in $(seq 600); do
        window=$(DISPLAY=$display xdotool search --onlyvisible --name '^Pondlark Remake$' 2>/dev/null |
            head -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    DISPLAY=$display xdotool mousemove --window "$window" 400 300
done
sleep 3
end=$((SECONDS + SECONDS_TO_PLAY))
while [ $SECONDS -lt $end ]; do
    random_keys "$host_display" &
    random_keys "$guest_display"
    wait $!
    kill -0 "$host_pid" "$guest_pid" 2>/dev/null || break
done
# Escape on the guest pauses both; the host chooses ABORT GAME, the last entry. Each key is
# held long enough for a poll to see it.
tap() { DISPLAY=$1 xdotool keydown "$2" sleep 0.15 keyup "$2" sleep 0.5; }
tap "$guest_display" Escape
tap "$host_display" Up
tap "$host_display" Return
status=0
wait "$host_pid" || status=$?
wait "$guest_pid" || status=$((status + $?))
kill "$relay_pid" && wait "$relay_pid" || true
cat "$WORK/host.err" "$WORK/guest.err" "$WORK/relay.log" >&2
echo "host:  $(cat "$WORK/host.out")"
echo "guest: $(cat "$WORK/guest.out")"
[ "$status" -eq 0 ] || { echo "FAIL: exit statuses"; exit 1; }
cmp -s "$WORK/host.out" "$WORK/guest.out" || { echo "FAIL: the two lines differ"; exit 1; }
! grep -qE "went apart|ERROR: AddressSanitizer|runtime error" "$WORK/host.err" "$WORK/guest.err" ||
    { echo "FAIL: a report"; exit 1; }
! grep -qE "#[0-9]+ .* in .* /.*/src/" "$WORK/host.err" "$WORK/guest.err" ||
    { echo "FAIL: a leak in the game's code"; exit 1; }
echo "PASS: $SECONDS_TO_PLAY s of random keys, one game on both sides"
