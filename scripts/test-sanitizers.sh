#!/usr/bin/env bash
# Builds every test and the fuzz targets with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang, no recovery) into build-asan/, then runs
# them all: the tests, and each fuzz target for a short run from its seeds.
# CI runs this after the plain test command.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh clang libclang-rt-14-dev xvfb openbox xdotool
export OPUSTECA_REQUIRE_DISPLAY_CHECK=1
# -O1 and line tables only: a quicker build that still names every line in a report.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_CXX_FLAGS_RELEASE="-O1 -gline-tables-only -DNDEBUG" \
      -DOPUSTECA_SANITIZE=ON -DOPUSTECA_BUILD_TESTS=ON -DOPUSTECA_BUILD_FUZZ=ON -DOPUSTECA_PCH=OFF "$@" >/dev/null
cmake --build build-asan --parallel
export QT_QPA_PLATFORM="offscreen:configfile=$PWD/tests/data/offscreen.json"
ctest --test-dir build-asan --output-on-failure --timeout 600 -j2
