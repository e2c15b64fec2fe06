#!/usr/bin/env bash
# Builds the program alone (no tests) and starts it from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh --program
exec "${OPUSTECA_BUILD_DIR:-build}/Opusteca/Opusteca" "$@"
