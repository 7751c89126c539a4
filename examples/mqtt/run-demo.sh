#!/usr/bin/env bash
# Starts a mosquitto broker on 127.0.0.1 with a tank simulated by a shell
# loop publishing to it, and opens the example panel on the broker; closing
# the panel stops both. Build first (scripts/build.sh build).
#   examples/mqtt/run-demo.sh [PORT [panelview options...]]
# PORT defaults to 18830. Topics: tank/setpoint (retained, the slider
# writes it), tank/state ({"level":..,"unit":"%"}) and tank/message.
# TINTORAL_PANELVIEW names another panelview program than
# build/tools/panelview/panelview.
. "$(dirname "$0")/../demo-start.sh"
port="${1:-18830}"
shift $(($# > 0 ? 1 : 0))
mosquitto="$(command -v mosquitto || echo /usr/sbin/mosquitto)"
printf 'listener %s 127.0.0.1\nallow_anonymous true\npersistence false\n' "$port" >"$work/mosquitto.conf"
"$mosquitto" -c "$work/mosquitto.conf" 2>"$work/broker.log" &
pids+=($!)
wait_for_peer "$work/broker.log" mosquitto_pub -h 127.0.0.1 -p "$port" -t tank/setpoint -m 50 -r
mosquitto_sub -h 127.0.0.1 -p "$port" -t tank/setpoint >"$work/setpoint" &
pids+=($!)
(
  level=0
  while sleep 0.2; do
    setpoint=$(tail -n 1 "$work/setpoint" 2>/dev/null || echo 0)
    read -r level message < <(awk -v l="$level" -v s="${setpoint:-0}" \
      'BEGIN { l += (s - l) * 0.1; printf "%.2f %s\n", l, ((s - l) ^ 2 < 1 ? "STEADY" : "FILLING") }')
    mosquitto_pub -h 127.0.0.1 -p "$port" -t tank/state -m "{\"level\":$level,\"unit\":\"%\"}" -r
    mosquitto_pub -h 127.0.0.1 -p "$port" -t tank/message -m "$message" -r
  done
) &
pids+=($!)
sed "s|mqtt://127.0.0.1:18830|mqtt://127.0.0.1:$port|" "$here/MqttPanel.txt" >"$work/MqttPanel.txt"
"$panelview" "$work/MqttPanel.txt" "$@"
