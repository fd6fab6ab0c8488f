#!/usr/bin/env bash
# The meeting server's relay: what it adds to a datagram's trip on loopback (the real
# pondlark-meet, measured by meet_relay_latency).
# Usage: bench/meet_relay.sh BUILD_DIR [ROUND_TRIPS]   (BUILD_DIR holds pondlark-meet)
set -euo pipefail
BUILD=$(cd "${1:?build folder}" && pwd)
port=$((30000 + RANDOM % 20000))
"$BUILD/pondlark-meet" --port "$port" 2>/dev/null &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
sleep 0.3
"$BUILD/bench/meet_relay_latency" "$port" "${2:-2000}"
