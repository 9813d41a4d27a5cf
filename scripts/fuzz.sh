#!/usr/bin/env bash
# Builds the parser fuzz targets with clang (build-fuzz/) and runs each for the
# given number of seconds (default 60) with its seed corpus, two at a time at
# low priority. New inputs go to build-fuzz/corpus/<target>/, crash inputs to
# build-fuzz/artifacts/; a crash input that shows a fixed bug belongs in
# fuzz/corpus/<target>/. Each target's log is build-fuzz/logs/<target>.log.
# Usage: scripts/fuzz.sh [seconds] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
jobs=${LYN_FUZZ_JOBS:-2}

cmake -S fuzz -B build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
nice -n 10 cmake --build build-fuzz -j2 >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(sed -n '/^set(LYN_FUZZ_TARGETS/,/^)/{/^  /s/ //gp}' fuzz/Targets.cmake)
fi

mkdir -p build-fuzz/artifacts build-fuzz/logs
export LSAN_OPTIONS="suppressions=$(pwd)/fuzz/lsan.supp:print_suppressions=0"
run() {
  local target=$1
  mkdir -p "build-fuzz/corpus/$target"
  local rc=0
  nice -n 10 "build-fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$target-" \
    "build-fuzz/corpus/$target" "fuzz/corpus/$target" >"build-fuzz/logs/$target.log" 2>&1 || rc=$?
  echo $rc >"build-fuzz/logs/$target.rc"
}

for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  rm -f "build-fuzz/logs/$target.rc"
  run "$target" &
done
wait
failed=0
for target in "${targets[@]}"; do
  if [ "$(cat "build-fuzz/logs/$target.rc" 2>/dev/null)" = 0 ]; then status=ok; else status=FAILED; failed=1; fi
  log="build-fuzz/logs/$target.log"
  last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
  runs=$(grep -E 'stat::number_of_executed_units' "$log" | awk '{print $2}' || true)
  echo "$target: $status, ${runs:-?} executions; last: ${last:-none}"
done
exit $failed
