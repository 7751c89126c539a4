#!/usr/bin/env bash
# bench.sh [BUILD_DIR] [MIN_TIME]: runs every benchmark program of a built
# tree once, with a short minimum time per benchmark (default 0.05 s), and
# prints one table of the paired comparisons: our control against the Qt peer
# doing the same job, in CPU time, with the ratio. A benchmark program that
# fails makes the script fail, so a broken benchmark is noticed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
min_time=${2:-0.05}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

shopt -s nullglob
programs=("$build"/bench/*Bench)
if [ ${#programs[@]} -eq 0 ]; then
  echo "bench.sh: no benchmark programs in $build/bench (configure with -DTINTORAL_BENCHMARKS=ON)" >&2
  exit 1
fi
for program in "${programs[@]}"; do
  name=$(basename "$program")
  echo "== $name" >&2
  if ! QT_QPA_PLATFORM=offscreen "$program" --benchmark_min_time="$min_time" \
      --benchmark_out="$out/$name.json" --benchmark_out_format=json >"$out/$name.txt" 2>&1; then
    cat "$out/$name.txt" >&2
    echo "bench.sh: $name failed" >&2
    exit 1
  fi
done
python3 "$root/scripts/bench-table.py" "$out"/*.json
