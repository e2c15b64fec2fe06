#!/usr/bin/env bash
# Builds everything and runs every test without a display.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh -DOPUSTECA_BUILD_TESTS=ON
export QT_QPA_PLATFORM="offscreen:configfile=$PWD/tests/data/offscreen.json"
ctest --test-dir build --output-on-failure --timeout 300 -j2
