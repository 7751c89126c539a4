#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need,
# and generates the Spanish locale es_ES.UTF-8, whose decimal separator is
# the comma, so that the program's comma path is tested on every machine.
# Quiet when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev libgl-dev libxkbcommon-dev libpng-dev zlib1g-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core fonts-dejavu-extra fonts-urw-base35 fonts-comic-neue fontconfig
  xvfb xdotool x11-utils
  dbus at-spi2-core python3-pyatspi
  desktop-file-utils appstream file
  locales
  libmodbus-dev python3-pymodbus python3-serial-asyncio libmosquitto-dev mosquitto mosquitto-clients openssl
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# locale -a lists the generated locale as es_ES.utf8.
spanish=es_ES.UTF-8
if ! locale -a 2>/dev/null | grep -qix 'es_ES\.utf-\?8'; then
  echo "Generating the locale $spanish"
  $sudo localedef -i es_ES -f UTF-8 "$spanish"
fi

# The OPC UA link library's helper: Node.js 18 or newer (Debian's nodejs
# and npm unless a node is there already) and node-opcua at the version
# pinned in its package-lock.json, installed again when the lock changes.
helper="$(cd "$(dirname "$0")/.." && pwd)/linklib/opcua/helper"
if ! node -e 'process.exit(+process.versions.node.split(".")[0] >= 18 ? 0 : 1)' 2>/dev/null; then
  echo "Installing Node.js"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends nodejs npm >/dev/null
fi
if ! cmp -s "$helper/package-lock.json" "$helper/node_modules/.package-lock.json.installed"; then
  echo "Installing the OPC UA helper's packages"
  (cd "$helper" && npm ci --no-audit --no-fund --loglevel=error >/dev/null &&
    cp package-lock.json node_modules/.package-lock.json.installed)
fi
