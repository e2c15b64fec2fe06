#!/usr/bin/env bash
# Builds everything and runs every test without a display.
set -euo pipefail
cd "$(dirname "$0")/.."
# Only the tests need an office suite: they open the exported documents in it.
# One already installed, in whatever packaging, is left as it is.
if ! command -v soffice >/dev/null 2>&1; then
  ./scripts/setup.sh libreoffice-calc-nogui libreoffice-writer-nogui
fi
./scripts/build.sh -DOPUSTECA_BUILD_TESTS=ON
export QT_QPA_PLATFORM="offscreen:configfile=$PWD/tests/data/offscreen.json"
ctest --test-dir build --output-on-failure --timeout 300 -j2
