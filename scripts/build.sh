#!/usr/bin/env bash
# Configures and builds (the program folder is <build dir>/Opusteca).
#   --program   build only the program and what it needs, not the tests
# Any other argument goes to CMake's configure step (-DOPUSTECA_BUILD_TESTS=ON).
# OPUSTECA_BUILD_DIR names the build directory; build/ when unset.
set -euo pipefail
cd "$(dirname "$0")/.."
"$(dirname "$0")/setup.sh"
build_dir=${OPUSTECA_BUILD_DIR:-build}
targets=()
configure=()
for arg in "$@"; do
  case $arg in
    --program) targets=(--target Opusteca) ;;
    *) configure+=("$arg") ;;
  esac
done
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${configure[@]}" >/dev/null
cmake --build "$build_dir" --parallel "${targets[@]}"
