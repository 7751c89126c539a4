#!/usr/bin/env bash
# Starts the demo OPC UA server and opens the example panel on it; closing
# the panel stops the server. Run scripts/setup.sh --opcua and build first
# (cmake --build build --target panelview).
#   examples/opcua/run-demo.sh [PORT [--shot OUT.png SECONDS]]
# PORT defaults to 4840. With --shot the panel saves its picture after
# SECONDS and closes (panelview's option). TINTORAL_PANELVIEW names another
# panelview program than build/tools/panelview/panelview.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
port="${1:-4840}"
shift $(($# > 0 ? 1 : 0))
panelview="${TINTORAL_PANELVIEW:-$root/build/tools/panelview/panelview}"
panel="$here/DemoPanel.txt"
log="$(mktemp)"
cleanup() {
  if [ -n "${server:-}" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -f "$log"
  if [ "$panel" != "$here/DemoPanel.txt" ]; then rm -f "$panel"; fi
}
trap cleanup EXIT
if [ "$port" != 4840 ]; then
  # The panel names no server, which means port 4840: point it at the port.
  panel="$(mktemp --suffix=.txt)"
  sed "s|ServerName = ''|ServerName = 'opc.tcp://127.0.0.1:$port'|" "$here/DemoPanel.txt" >"$panel"
fi
node "$here/demo-server.mjs" "$port" >"$log" 2>&1 &
server=$!
until grep -q "demo server on" "$log"; do
  kill -0 $server 2>/dev/null || { cat "$log" >&2; exit 1; }
  sleep 0.2
done
"$panelview" "$panel" "$@"
