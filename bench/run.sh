#!/usr/bin/env bash
# Builds the benchmarks in a Release tree and runs every measurement but the long ones.
# Usage: bench/run.sh [BUILD_DIR]   (default build-bench)
# The long ones: bench/peak_memory.sh BUILD_DIR (ten minutes) and scripts/soak.sh (twenty).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DPONDLARK_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target bench
export ALSOFT_DRIVERS=null

"$build/bench/simulation_bench"
"$build/bench/render_bench"
[ -x "$build/bench/tga_bench" ] && "$build/bench/tga_bench"
"$build/bench/startup_bench"
bench/startup_time.sh "$build"
bench/cpu_use.sh "$build"
bench/key_latency.sh "$build"
bench/smooth_motion.sh "$build"
RESX=320 RESY=240 bench/smooth_motion.sh "$build"
"$build/bench/smooth_bench"
bench/network_latency.sh "$build"
bench/meet_relay.sh "$build"
[ "$(id -u)" = 0 ] && bench/lab_latency.sh "$build"
RESX=320 RESY=240 bench/cpu_use.sh "$build"
if command -v perf >/dev/null; then
    bench/render_share.sh "$build" 800 600
    bench/render_share.sh "$build" 1920 1080
fi
