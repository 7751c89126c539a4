#!/usr/bin/env bash
# build.sh [OUT [TARGET...]]: builds the libFuzzer programs with clang into OUT (default
# build-fuzz at the top of the tree): a CMake tree with TINTORAL_FUZZ on, in
# which every library is compiled with the fuzzer's coverage and with
# AddressSanitizer and UndefinedBehaviorSanitizer, and each target of
# fuzz/CMakeLists.txt links the same libraries as its replay test.
#
# Run a target:  build-fuzz/property_file_fuzzer fuzz/corpus/property_file -max_total_time=180
# The form-render target has a dictionary of extreme values:
#   build-fuzz/form_render_fuzzer -dict=fuzz/form_render.dict fuzz/corpus/form_render -runs=2000000
# fuzz/run.sh runs every target briefly on a copy of its corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-fuzz}
cxx=${CXX:-clang++-14}
echo "fuzz/build.sh: configuring $out with $cxx"
# Line tables (-g1) are enough for the sanitizers' reports and compile
# faster than full debug information. Give target names to build only those.
targets=("${@:2}")
[ ${#targets[@]} -gt 0 ] || targets=(fuzzers)
"$root/scripts/build.sh" "$out" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DTINTORAL_FUZZ=ON -DTINTORAL_BENCHMARKS=OFF -- "${targets[@]}"
echo "fuzz/build.sh: built $(cd "$out" && ls ./*_fuzzer | tr '\n' ' ')"
