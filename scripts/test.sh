#!/usr/bin/env bash
# Builds everything and runs every test without a display.
set -euo pipefail
cd "$(dirname "$0")/.."
# The Windows side of the platform unit is built with MinGW-w64 and run under
# Wine (the 64-bit Wine alone: the test is a 64-bit program).
extra=(g++-mingw-w64-x86-64-posix wine64)
# The test that starts the built program drives it on a virtual display.
extra+=(xvfb openbox xdotool)
# Only the tests need an office suite: they open the exported documents in it.
# One already installed, in whatever packaging, is left as it is.
if ! command -v soffice >/dev/null 2>&1; then
  extra+=(libreoffice-calc-nogui libreoffice-writer-nogui)
fi
./scripts/setup.sh "${extra[@]}"
export OPUSTECA_REQUIRE_WINDOWS_CHECK=1 OPUSTECA_REQUIRE_DISPLAY_CHECK=1
./scripts/build.sh -DOPUSTECA_BUILD_TESTS=ON
export QT_QPA_PLATFORM="offscreen:configfile=$PWD/tests/data/offscreen.json"
ctest --test-dir build --output-on-failure --timeout 300 -j2
