#!/usr/bin/env bash
# The run command on a fresh build directory must build the program alone: a new
# user should not wait for the tests to compile before the login window shows.
# CMake is wrapped so that its build step only lists the commands ninja would
# run for the targets asked, and the program it would start is a stand-in.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
real_cmake=$(command -v cmake)

mkdir -p "$work/bin"
cat >"$work/bin/cmake" <<WRAP
#!/usr/bin/env bash
if [ "\${1:-}" != "--build" ]; then exec "$real_cmake" "\$@"; fi
dir=\$2; shift 2
targets=()
while [ \$# -gt 0 ]; do
  case \$1 in --target) targets+=("\$2"); shift 2 ;; *) shift ;; esac
done
ninja -C "\$dir" -t commands "\${targets[@]}" >>"$work/plan.txt"
mkdir -p "\$dir/Opusteca"
printf '#!/bin/sh\necho started\n' >"\$dir/Opusteca/Opusteca"
chmod +x "\$dir/Opusteca/Opusteca"
WRAP
chmod +x "$work/bin/cmake"

out=$(PATH="$work/bin:$PATH" OPUSTECA_BUILD_DIR="$work/build" "$src/scripts/run.sh")
fail() { echo "FAIL: $*"; exit 1; }
[ "$out" = "started" ] || fail "the program was not started (got: $out)"
grep -q -- '-o Opusteca/Opusteca ' "$work/plan.txt" || fail "the program is not built"
grep -q 'opusteca_mkpassword .*unins000.dll' "$work/plan.txt" || fail "the password file is not installed"
if grep -q 'tst_\|testsupport' "$work/plan.txt"; then
  fail "the run command builds tests: $(grep -o 'tst_[a-z_]*' "$work/plan.txt" | sort -u | tr '\n' ' ')"
fi
echo "the run command builds $(wc -l <"$work/plan.txt") commands, none of them for a test"
