#!/usr/bin/env bash
# The platform unit and its test built for Windows with MinGW-w64 and run under
# Wine, so the Windows side of the program's system calls is compiled and run
# on every test run, not only on a Windows machine.
#   windows_platform.sh <work dir>
# Skips (exit 77) when the cross compiler or Wine is missing, unless
# OPUSTECA_REQUIRE_WINDOWS_CHECK is set, as the test command sets it.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
cxx=$(command -v x86_64-w64-mingw32-g++-posix || true)
wine=$(command -v wine64 || true)
[ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
if [ -z "$cxx" ] || [ -z "$wine" ]; then
  echo "x86_64-w64-mingw32-g++-posix or wine64 is not installed (scripts/test.sh installs them)"
  [ -n "${OPUSTECA_REQUIRE_WINDOWS_CHECK:-}" ] && exit 1
  exit 77
fi

mkdir -p "$work"
exe=$work/tst_platform.exe
sources=("$src/src/store/Platform.cpp" "$src/tests/store/tst_platform.cpp")
stale=0
[ -e "$exe" ] || stale=1
for f in "${sources[@]}" "$src/src/store/Platform.h"; do [ "$f" -nt "$exe" ] && stale=1; done
if [ $stale -eq 1 ]; then
  SECONDS=0
  # Static, so that Wine needs no MinGW runtime libraries beside the program.
  "$cxx" -std=c++20 -O1 -Wall -Wextra -Werror -static -I"$src/src" "${sources[@]}" -o "$exe"
  echo "cross build: ${SECONDS}s"
fi

# A prefix of its own in the build folder: made once (the slow part), then reused.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
SECONDS=0
status=0
"$wine" "$exe" || status=$?
echo "wine run: ${SECONDS}s"
# Wine's server outlives the program for a few seconds: stop it, so nothing is left behind.
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver || true)
[ -n "$wineserver" ] && "$wineserver" -k 2>/dev/null || true
exit $status
