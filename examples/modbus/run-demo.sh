#!/usr/bin/env bash
# Starts the example's Modbus TCP device (plant-server.py, on pymodbus) and
# opens the example panel on it; closing the panel stops the device. Build
# first (scripts/build.sh build).
#   examples/modbus/run-demo.sh [PORT [panelview options...]]
# PORT defaults to 5020. TINTORAL_PANELVIEW names another panelview program
# than build/tools/panelview/panelview.
. "$(dirname "$0")/../demo-start.sh"
port="${1:-5020}"
shift $(($# > 0 ? 1 : 0))
sed "s|modbus-tcp://127.0.0.1:5020/|modbus-tcp://127.0.0.1:$port/|" "$here/ModbusPanel.txt" >"$work/ModbusPanel.txt"
/usr/bin/python3 "$here/plant-server.py" "$port" >"$work/server.log" 2>&1 &
pids+=($!)
wait_for_peer "$work/server.log" grep -q "plant server on" "$work/server.log"
"$panelview" "$work/ModbusPanel.txt" "$@"
