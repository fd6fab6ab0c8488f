#!/usr/bin/env bash
# The real pondlark-meet on loopback: its command line, a host and a guest meeting and
# relayed through it (meet_check), its stderr lines, a port already taken, and a clean
# exit on SIGTERM.
# Usage: tests/meet/meet_server_run.sh PONDLARK_MEET MEET_CHECK
set -u
MEET=${1:?pondlark-meet}
CHECK=${2:?meet_check}
WORK=$(mktemp -d)
SERVER=
trap 'kill -9 $SERVER 2>/dev/null; rm -rf "$WORK"' EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -f "$WORK/meet.log" ] && cat "$WORK/meet.log" >&2
    exit 1
}

"$MEET" --version | grep -qx "pondlark-meet [0-9.]*" || fail "--version"
"$MEET" --help | grep -q -- "--port N" || fail "--help"
for bad in "--port" "--port 0" "--port 70000" "--port 7x" "--listen"; do
    # shellcheck disable=SC2086
    "$MEET" $bad 2>"$WORK/bad.log" && fail "$bad was accepted"
    [ $? -eq 2 ] || fail "$bad did not exit with 2"
    grep -q "^pondlark-meet: " "$WORK/bad.log" || fail "$bad gave no message"
done

port=$((30000 + RANDOM % 20000))
"$MEET" --port "$port" 2>"$WORK/meet.log" &
SERVER=$!
for _ in $(seq 50); do grep -q listening "$WORK/meet.log" && break; sleep 0.1; done
grep -q "listening on UDP port $port" "$WORK/meet.log" || fail "the server did not start"

"$MEET" --port "$port" 2>"$WORK/taken.log" && fail "a second server took the same port"
grep -q "cannot use UDP port $port" "$WORK/taken.log" || fail "a taken port gave no message"

"$CHECK" "$port" || fail "meet_check"
for event in "registered [A-Z2-9]\{10\} host 127.0.0.1:" "matched [A-Z2-9]\{10\} guest 127.0.0.1:" \
    "relayed [A-Z2-9]\{10\}$" "ended [A-Z2-9]\{10\}: done$"; do
    grep -q "^$event" "$WORK/meet.log" || fail "no line like '$event'"
done

kill -TERM "$SERVER"
wait "$SERVER"
status=$?
SERVER=
[ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"
tail -n 1 "$WORK/meet.log" | grep -qx "pondlark-meet: stopped" || fail "no last line"
echo "meet server run: passed"
