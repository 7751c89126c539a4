#!/usr/bin/env bash
# Starts the demo OPC UA server and opens the example panel on it; closing
# the panel stops the server. Run scripts/setup.sh --opcua and build first
# (cmake --build build --target panelview).
#   examples/opcua/run-demo.sh [PORT [--shot OUT.png SECONDS]]
# PORT defaults to 4840. With --shot the panel saves its picture after
# SECONDS and closes (panelview's option). TINTORAL_PANELVIEW names another
# panelview program than build/tools/panelview/panelview.
. "$(dirname "$0")/../demo-start.sh"
port="${1:-4840}"
shift $(($# > 0 ? 1 : 0))
panel="$here/DemoPanel.txt"
if [ "$port" != 4840 ]; then
  # The panel names no server, which means port 4840: point it at the port.
  panel="$work/DemoPanel.txt"
  sed "s|ServerName = ''|ServerName = 'opc.tcp://127.0.0.1:$port'|" "$here/DemoPanel.txt" >"$panel"
fi
node "$here/demo-server.mjs" "$port" >"$work/server.log" 2>&1 &
pids+=($!)
wait_for_peer "$work/server.log" grep -q "demo server on" "$work/server.log"
"$panelview" "$panel" "$@"
