#!/usr/bin/env bash
# Starts the demo OPC UA server and opens the example panel on it; closing
# the panel stops the server. Run scripts/setup.sh and build first
# (cmake --build build --target panelview).
#   examples/opcua/run-demo.sh [PORT]   (default 4840)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
port="${1:-4840}"
panel="$here/DemoPanel.txt"
if [ "$port" != 4840 ]; then
  # The panel names no server, which means port 4840: point it at the port.
  panel="$(mktemp --suffix=.txt)"
  sed "s|ServerName = ''|ServerName = 'opc.tcp://127.0.0.1:$port'|" "$here/DemoPanel.txt" >"$panel"
fi
log="$(mktemp)"
node "$here/demo-server.mjs" "$port" >"$log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -f "$log"' EXIT
until grep -q "demo server on" "$log"; do
  kill -0 $server 2>/dev/null || { cat "$log" >&2; exit 1; }
  sleep 0.2
done
"$root/build/tools/panelview/panelview" "$panel"
