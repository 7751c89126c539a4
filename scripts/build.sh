#!/usr/bin/env bash
# build.sh DIR [cmake options...] [-- targets...]: configures the tree in DIR
# (on first use, and again whenever options are given) and builds it, or
# only the targets named after "--".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
options=()
targets=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--" ]; then
    shift
    targets=("$@")
    break
  fi
  options+=("$1")
  shift
done
# ccache keys on paths relative to the checkout, so fresh clones and
# worktrees in other folders reuse each other's objects.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true
if [ ! -f "$dir/build.ninja" ] || [ ${#options[@]} -gt 0 ]; then
  build_type=()
  [ -f "$dir/CMakeCache.txt" ] || build_type=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
  echo "build.sh: configuring $dir"
  cmake -S "$root" -B "$dir" -G Ninja "${build_type[@]}" "${options[@]}" >/dev/null
fi
target_args=()
[ ${#targets[@]} -gt 0 ] && target_args=(--target "${targets[@]}")
# In a terminal ninja shows its progress on one line; elsewhere (CI, logs)
# a line before and after is enough.
what=${targets[*]:-everything}
if [ -t 1 ]; then
  echo "build.sh: building $what in $dir"
  cmake --build "$dir" "${target_args[@]}"
else
  started=$(date +%s)
  echo "build.sh: building $what in $dir"
  cmake --build "$dir" "${target_args[@]}" -- --quiet
  echo "build.sh: built $what in $(( $(date +%s) - started )) s"
fi
