#!/usr/bin/env bash
# run.sh [OUT] [SECONDS]: runs every libFuzzer program that fuzz/build.sh
# built in OUT (default build-fuzz) for SECONDS each (default 8), starting
# from a copy of its corpus (fuzz/corpus/NAME stays as it is), with the
# target's dictionary where it has one. A finding stops the run with the
# fuzzer's report and the input saved in OUT/findings.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-fuzz}
seconds=${2:-8}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out/findings"
for program in "$out"/*_fuzzer; do
  name=$(basename "$program" _fuzzer)
  cp -r "$root/fuzz/corpus/$name" "$work/$name"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$out/findings/$name-")
  [ -f "$root/fuzz/$name.dict" ] && options+=(-dict="$root/fuzz/$name.dict")
  echo "fuzz/run.sh: $name for $seconds s"
  if ! "$program" "${options[@]}" "$work/$name" >"$work/$name.log" 2>&1; then
    cat "$work/$name.log"
    echo "fuzz/run.sh: $name found a fault (input in $out/findings)"
    exit 1
  fi
  grep -E '^stat::number_of_executed_units' "$work/$name.log" | sed "s/^/  $name /"
done
# The credentials file's fuzzer runs in Node.js, by count rather than time.
if command -v node >/dev/null; then
  echo "fuzz/run.sh: credentials, $((seconds * 2500)) inputs"
  node "$root/fuzz/CredentialsFuzzer.mjs" "$root/fuzz/corpus/credentials" -runs=$((seconds * 2500))
fi
