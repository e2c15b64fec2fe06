#!/usr/bin/env bash
# Long fuzz runs, one target at a time, at the lowest priority.
#
#   scripts/fuzz.sh                   lists the targets
#   scripts/fuzz.sh TARGET [SECONDS]  runs TARGET (default: until stopped)
#   scripts/fuzz.sh all SECONDS       runs every target in turn, SECONDS each
#
# The targets are built with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# into build-fuzz/. A run starts from the checked-in seeds (fuzz/corpus/TARGET)
# and from what earlier runs found (build-fuzz/corpus/TARGET, kept between
# runs); an input that fails is written to build-fuzz/crashes/TARGET/. Each run
# adds a line to build-fuzz/runs.log: date, target, seconds, executions, crashes.
# A failing input becomes a regular test under tests/ once it is understood.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(fuzz_record_book fuzz_record_author fuzz_record_bibliography fuzz_password
         fuzz_cp1252 fuzz_listline fuzz_search fuzz_spreadsheet fuzz_rtf fuzz_catalogue)

if [ $# -eq 0 ]; then
  printf '%s\n' "${targets[@]}"
  exit 0
fi
target=$1
seconds=${2:-0}
if [ "$target" = all ]; then
  for t in "${targets[@]}"; do "$0" "$t" "$seconds" || true; done
  exit 0
fi

./scripts/setup.sh clang libclang-rt-14-dev
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DOPUSTECA_SANITIZE=ON -DOPUSTECA_BUILD_FUZZ=ON -DOPUSTECA_BUILD_TESTS=OFF >/dev/null
nice -n 19 cmake --build build-fuzz --target "$target"

corpus=build-fuzz/corpus/$target
crashes=build-fuzz/crashes/$target
mkdir -p "$corpus" "$crashes"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
set +e
nice -n 19 "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
     -print_final_stats=1 -artifact_prefix="$crashes/" "$corpus" "fuzz/corpus/$target" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
set -e
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
found=$(find "$crashes" -type f | wc -l)
echo "$(date -u +%FT%TZ) $target seconds=$seconds executions=${runs:-?} crash_files=$found exit=$status" \
  | tee -a build-fuzz/runs.log
exit "$status"
