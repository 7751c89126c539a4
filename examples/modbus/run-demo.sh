#!/usr/bin/env bash
# Starts the example's Modbus TCP device (plant-server.py, on pymodbus) and
# opens the example panel on it; closing the panel stops the device. Build
# first (scripts/build.sh build).
#   examples/modbus/run-demo.sh [PORT [panelview options...]]
# PORT defaults to 5020. TINTORAL_PANELVIEW names another panelview program
# than build/tools/panelview/panelview.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
port="${1:-5020}"
shift $(($# > 0 ? 1 : 0))
panelview="${TINTORAL_PANELVIEW:-$root/build/tools/panelview/panelview}"
panel="$(mktemp --suffix=.txt)"
log="$(mktemp)"
cleanup() {
  if [ -n "${server:-}" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -f "$log" "$panel"
}
trap cleanup EXIT
sed "s|modbus-tcp://127.0.0.1:5020/|modbus-tcp://127.0.0.1:$port/|" "$here/ModbusPanel.txt" >"$panel"
/usr/bin/python3 "$here/plant-server.py" "$port" >"$log" 2>&1 &
server=$!
until grep -q "plant server on" "$log"; do
  kill -0 $server 2>/dev/null || { cat "$log" >&2; exit 1; }
  sleep 0.2
done
"$panelview" "$panel" "$@"
