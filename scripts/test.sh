#!/usr/bin/env bash
# Builds everything and runs every test without a display.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh -DOPUSTECA_BUILD_TESTS=ON
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --timeout 300 -j2
