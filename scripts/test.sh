#!/usr/bin/env bash
# Installs what the build and tests need, builds, and runs every suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"
