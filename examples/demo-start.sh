# Sourced by each example's run-demo.sh: strict mode, the example's folder
# ($here), the checkout ($root), the panelview program ($panelview;
# TINTORAL_PANELVIEW names another than build/tools/panelview/panelview), a
# scratch folder ($work), and the peers the example starts ($pids), stopped
# with the scratch folder removed when the script ends.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
panelview="${TINTORAL_PANELVIEW:-$root/build/tools/panelview/panelview}"
work="$(mktemp -d)"
pids=()
demo_cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap demo_cleanup EXIT

# wait_for_peer LOG COMMAND...: waits until COMMAND succeeds; when the peer
# started last ends first, shows its LOG and stops the script.
wait_for_peer() {
  local log=$1
  shift
  until "$@" 2>/dev/null; do
    kill -0 "${pids[-1]}" 2>/dev/null || { cat "$log" >&2; exit 1; }
    sleep 0.2
  done
}
