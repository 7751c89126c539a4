#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it on the user's
# display (no Node.js needed: the OPC UA helper is for live panels only). Where there is no display, runs it under a private Xvfb
# instead, saves a screenshot of the main window to build/tintoral-screenshot.png
# and stops it again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -- tintoral screengrab
program="$root/build/app/tintoral"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$program"
fi

screenshot="$root/build/tintoral-screenshot.png"
echo "No display reachable: running Tintoral under Xvfb for a screenshot."

# A display number that no server uses.
display=99
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done

xvfb_pid="" program_pid=""
stop() {  # stop PID: ends a process this script started
  if [ -n "$1" ]; then
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
  fi
}
cleanup() {
  stop "$program_pid"
  stop "$xvfb_pid"
}
trap cleanup EXIT

Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start." >&2; exit 1; }

QT_QPA_PLATFORM=xcb "$program" >/dev/null 2>&1 &
program_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Tintoral$' | head -n 1) || true
if [ -z "$window" ]; then
  echo "The Tintoral window did not appear." >&2
  exit 1
fi
"$root/build/tools/screengrab/screengrab" --wait 20 "$screenshot" "$window" 2>/dev/null
echo "Screenshot of the main window: $screenshot"
