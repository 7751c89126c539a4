#!/usr/bin/env bash
# Installs what is missing, builds everything and starts the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
if [ ! -x "$root/build/app/tintoral" ]; then
  echo "Built the libraries, tests and benchmarks in build/. The tintoral program itself is not part of the tree yet."
  exit 0
fi
exec "$root/build/app/tintoral"
