#!/usr/bin/env bash
# test.sh [cmake options...]: installs what is missing, builds everything
# (warnings are errors) and runs every test but the package test, which
# .ci/run runs once on its own. Options go to the configuration of build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" --opcua
"$root/scripts/build.sh" "$root/build" -DTINTORAL_WERROR=ON "$@"
cd "$root/build"
echo "test.sh: running the tests"
ctest --output-on-failure -j"$(nproc)" --timeout 300 -LE package
