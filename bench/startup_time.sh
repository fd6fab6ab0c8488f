#!/usr/bin/env bash
# Time from starting the real game under Xvfb to its first title frame presented, over
# several starts (the swap probe notes the first present); prints each and the median.
# Usage: bench/startup_time.sh BUILD_DIR [STARTS]
BUILD=$(cd "${1:?build folder}" && pwd)
STARTS=${2:-7}
GAME=$BUILD/pondlark
source "$(dirname "$0")/../tests/soak/headless.sh"

start_x
times=()
cpu=()
for run in $(seq "$STARTS"); do
    rm -rf "$HOME/.config"
    : >"$WORK/game.log"
    launched=$(date +%s.%N)
    start_game env LD_PRELOAD="$BUILD/libgame_probe.so"
    for _ in $(seq 300); do
        grep -q 'first frame' "$WORK/game.log" && break
        sleep 0.02
    done
    first=$(awk '/first frame at/ {print $5}' "$WORK/game.log")
    processor=$(awk '/first frame at/ {print $7}' "$WORK/game.log")
    [ -n "$first" ] || fail "no frame presented: $(cat "$WORK/game.log")"
    # The first frame must show the title, not an empty picture.
    sleep 0.5
    colours=$(import -window root -crop 800x600+240+212 +repage -format '%k' info: 2>/dev/null || echo 0)
    kill -9 "$GAME_PID"
    wait "$GAME_PID" 2>/dev/null || true
    GAME_PID=
    ms=$(awk -v a="$launched" -v b="$first" 'BEGIN {printf "%.0f", 1000 * (b - a)}')
    echo "start $run: first title frame after $ms ms, $processor ms of processor time" \
        "($colours colours on screen)"
    times+=("$ms")
    cpu+=("$processor")
done
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
echo "median: $(printf '%s\n' "${times[@]}" | median) ms," \
    "$(printf '%s\n' "${cpu[@]}" | median) ms of processor time"
