#!/usr/bin/env bash
# Share of a rendered frame's processor time spent in our own code rather than in the GL
# driver: samples render_bench's frame loop with perf and sorts them by the library they
# fell in. Our code is linked into render_bench; the C library and libm calls count as ours
# only where our code made them, so they are shown apart.
# Usage: bench/render_share.sh BUILD_DIR [WIDTH HEIGHT]
set -euo pipefail
BUILD=$(cd "${1:?build folder}" && pwd)
WIDTH=${2:-1920}
HEIGHT=${3:-1080}
out=$(mktemp -d /tmp/pondlark-share.XXXXXX)
trap 'rm -rf "$out"' EXIT

"$BUILD/bench/render_bench" --benchmark_filter="BM_RenderFrame/$WIDTH/$HEIGHT/" >"$out/bench.log" 2>&1 &
bench=$!
# Past the set-up (world, window, textures) into the frame loop, then sample until the
# benchmark ends. The processor's own counters are often unavailable in virtual machines;
# the kernel's clock samples work everywhere.
sleep 2
perf record -q -e cpu-clock -F 999 -p "$bench" -o "$out/perf.data" >/dev/null 2>&1 || true
wait "$bench" || true
perf report -i "$out/perf.data" --sort dso --stdio 2>/dev/null | grep -E '^ +[0-9]' >"$out/dso.txt"
cat "$out/dso.txt"
awk '$2 == "render_bench" {ours += $1} $2 ~ /^lib(m|stdc\+\+)\./ {libs += $1}
     END {printf "our code: %.2f %% of the frame samples (%.2f %% more in libm/libstdc++)\n", ours, libs}' \
    "$out/dso.txt"
