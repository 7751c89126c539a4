#!/usr/bin/env bash
# setup.sh [--opcua]: installs the Debian 12 packages the build, the program
# and the tests need, and generates the Spanish locale es_ES.UTF-8, whose
# decimal separator is the comma, so that the program's comma path is
# tested on every machine. With --opcua also Node.js and the OPC UA
# helper's packages from the npm registry (the live panels over OPC UA and
# their tests need them; the program does not). Says what it does at each
# stage; quiet when everything is already there.
set -euo pipefail
say() { echo "setup.sh: $*"; }
with_opcua=false
[ "${1:-}" = "--opcua" ] && with_opcua=true

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

# apt-get's own progress stays visible: one line per package unpacked and
# set up (a first installation takes a few minutes).
apt_install() {
  export DEBIAN_FRONTEND=noninteractive
  say "updating the package lists"
  $sudo apt-get update -qq
  say "installing $# packages: $*"
  if ! $sudo apt-get install -y -q --no-install-recommends -o Dpkg::Use-Pty=0 "$@" |
    { grep -E '^(Unpacking|Setting up) ' || true; }; then
    say "apt-get could not install the packages" >&2
    exit 1
  fi
  say "packages installed"
}

if [ ${#missing[@]} -gt 0 ]; then
  apt_install "${missing[@]}"
fi

# locale -a lists the generated locale as es_ES.utf8.
spanish=es_ES.UTF-8
if ! locale -a 2>/dev/null | grep -qix 'es_ES\.utf-\?8'; then
  say "generating the locale $spanish"
  $sudo localedef -i es_ES -f UTF-8 "$spanish"
fi

# The OPC UA link library's helper (with --opcua): Node.js 18 or newer
# (Debian's nodejs and npm unless a node is there already) and node-opcua
# at the version pinned in its package-lock.json, installed again when the
# lock changes. A registry that cannot be reached is said in one line.
$with_opcua || exit 0
helper="$(cd "$(dirname "$0")/.." && pwd)/linklib/opcua/helper"
if ! node -e 'process.exit(+process.versions.node.split(".")[0] >= 18 ? 0 : 1)' 2>/dev/null; then
  apt_install nodejs npm
fi
if ! cmp -s "$helper/package-lock.json" "$helper/node_modules/.package-lock.json.installed"; then
  say "installing the OPC UA helper's packages from the npm registry"
  log=$(mktemp)
  if ! (cd "$helper" && npm ci --no-audit --no-fund --loglevel=error >"$log" 2>&1); then
    reason=$(grep -m1 -E 'ERR!|error' "$log" || true)
    rm -f "$log"
    say "cannot install the OPC UA helper's packages (is the npm registry reachable? ${reason:-npm ci failed}):" \
      "OPC UA panels and their tests will not work; the program does not need them" >&2
    exit 1
  fi
  rm -f "$log"
  cp "$helper/package-lock.json" "$helper/node_modules/.package-lock.json.installed"
fi
