#!/usr/bin/env bash
# Installs what the build and tests need, builds, and runs every suite: all
# tests of the normal build, the unit and replay suites again under
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/), a 60-second
# run of each fuzz target (build-fuzz/, clang), and the Debian packages (build-package/),
# built twice to show they are reproducible, through Debian's validators and an apt
# install, the autopkgtest smoke test and a purge.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
timings=()

# Runs a named part and notes how long it took.
part() {
    local name=$1 start=$SECONDS
    shift
    echo "== $name"
    "$@"
    timings+=("$(printf '%-34s %4d s' "$name" $((SECONDS - start)))")
}

normal_suite() {
    scripts/setup.sh test
    scripts/build.sh -DPONDLARK_TESTS=ON
    ctest --test-dir build --output-on-failure -j"$jobs" -LE lab | tee "$logs/ctest.log"
}

# The unit and replay suites, built with both sanitizers; any report fails.
sanitizer_suite() {
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPONDLARK_SANITIZE=ON >/dev/null
    cmake --build build-asan -j"$jobs" --target core_tests platform_tests
    local suite
    for suite in core_tests platform_tests; do
        (cd build-asan/tests &&
            ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
                UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
                "./$suite" --gtest_brief=1) | tee "$logs/$suite.log"
    done
}

# The fuzzers print a line per finding; the log is kept and only a summary shown.
fuzz_suite() {
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DPONDLARK_FUZZ=ON -DPONDLARK_TESTS=OFF -DPONDLARK_FUZZ_SEED_DATA="$PWD/build/data" \
        >/dev/null
    cmake --build build-fuzz -j"$jobs" --target fuzz_settings fuzz_tga fuzz_recording fuzz_network fuzz_meet
    if ! cmake --build build-fuzz --target fuzz-short >build-fuzz/fuzz-short.log 2>&1; then
        tail -n 60 build-fuzz/fuzz-short.log
        echo "Fuzzing found a problem: see build-fuzz/fuzz-short.log and build-fuzz/fuzz/artifacts/"
        return 1
    fi
    grep -E '^(fuzz_[a-z]+: |Done |stat::peak_rss_mb)' build-fuzz/fuzz-short.log
}

# The Debian packages, built twice and compared, linted, validated, then installed,
# smoke-tested and purged with apt.
package_suite() {
    tests/package/check.sh | tee "$logs/package.log"
}

# The NAT lab: homes behind every kind of router in network namespaces, and real games
# between them, their tables shown. It needs root; without it ctest counts it as skipped
# and says why.
nat_lab_suite() {
    ctest --test-dir build -L lab --output-on-failure -V | tee "$logs/lab.log" |
        sed -n 's/^[0-9]*: //p'
    grep -q 'tests passed, 0 tests failed' "$logs/lab.log"
}

part "build and all tests" normal_suite
part "NAT lab (network namespaces)" nat_lab_suite
part "unit and replay under ASan+UBSan" sanitizer_suite
part "fuzzing (fuzz-short)" fuzz_suite
part "Debian package and its checks" package_suite

ctest_count=$(cat "$logs/ctest.log" "$logs/lab.log" |
    awk '/tests passed, 0 tests failed out of/ { sum += $NF } END { print sum + 0 }')
sanitized_count=$(cat "$logs/core_tests.log" "$logs/platform_tests.log" |
    awk '/^\[  PASSED  \] [0-9]+ test/ { sum += $4 } END { print sum + 0 }')
echo
echo "== Summary"
printf '%s\n' "${timings[@]}"
package_count=$(grep -c ': passed$' "$logs/package.log")
fuzz_count=$(grep -cE '^fuzz_[a-z]+: [0-9]+ s$' build-fuzz/fuzz-short.log)
echo "normal build: $ctest_count tests; under sanitizers: $sanitized_count tests;" \
    "fuzz targets: $fuzz_count; package checks: $package_count"
echo "$((ctest_count + sanitized_count + fuzz_count + package_count)) passed, 0 failed"
