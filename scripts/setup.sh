#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need.
# Quiet when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libxkbcommon-dev libpng-dev zlib1g-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core fonts-dejavu-extra fonts-urw-base35 fonts-comic-neue fontconfig
  xvfb xdotool x11-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
