#!/usr/bin/env bash
# Fails when a C++ file of the tree is not laid out as .clang-format says.
# The whole tree was formatted once (see .git-blame-ignore-revs), so checking
# every file checks the lines each change touched; it needs no history, which a
# shallow clone may lack. Fix with: git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -euo pipefail
cd "$(dirname "$0")/.."
"$(dirname "$0")/setup.sh" clang-format
if ! git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror; then
  echo "check-format: the files above are not formatted; run clang-format -i on them" >&2
  exit 1
fi
echo "check-format: every C++ file is formatted"
