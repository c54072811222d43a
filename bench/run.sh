#!/usr/bin/env bash
# Builds the benchmarks into build-bench, runs them on the demo databases
# (made once into build-bench/demo-cache) and prints the table, the ratio of the
# list refresh to the bare engine's floor, and the peak memory of a program
# holding the 100,000-contract list.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-bench
mkdir -p "$build"
if ! KORVAN_BUILD=$build scripts/build.sh -DKORVAN_BENCH=ON -DKORVAN_TESTS=OFF >"$build/build.log" 2>&1; then
  tail -n 40 "$build/build.log" >&2
  echo "build failed (see $build/build.log)" >&2
  exit 1
fi
export QT_QPA_PLATFORM=offscreen
csv=$build/bench-results.csv
"$build/bench/korvan_bench" --benchmark_min_time=1 --benchmark_out="$csv" --benchmark_out_format=csv "$@"

# CPU time (column 4) of a benchmark by its name: steadier than wall time on a
# machine busy with other work, and both sides run on one thread.
ms() { awk -F, -v n="\"$1\"" '$1 == n { print $4 }' "$csv"; }
refresh=$(ms "refresh/list/100000")
floor=$(ms "floorRead/list/100000")
peak_kb=$(/usr/bin/time -v "$build/bench/korvan_bench_hold" 100000 2>&1 >/dev/null |
          awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }')
echo
awk -v r="$refresh" -v f="$floor" 'BEGIN { printf "refresh/floor ratio at 100000: %.2f\n", r / f }'
awk -v k="$peak_kb" 'BEGIN { printf "peak memory at 100000: %d MB\n", k / 1024 }'
