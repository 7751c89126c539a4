#!/usr/bin/env bash
# check-package.sh BUILD_DIR SCRATCH: builds the two .deb of BUILD_DIR with
# cpack (tintoral, the teaching program; tintoral-panels, the panel
# developer's kit), unpacks each into SCRATCH/NAME and checks its
# dependencies, its contents, the desktop files (with desktop-file-validate
# and appstreamcli), the OPC UA helper and that the unpacked programs run.
# Installs nothing on the system.
set -euo pipefail
build=$1 scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch"
scratch=$(cd "$scratch" && pwd)  # links unpacked there resolve to absolute paths
if ! cpack --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  exit 1
fi
id=org.tintoral.Tintoral
program_deb=$(echo "$scratch"/tintoral_*.deb)
kit_deb=$(echo "$scratch"/tintoral-panels_*.deb)
program_root=$scratch/tintoral kit_root=$scratch/tintoral-panels
dpkg-deb -x "$program_deb" "$program_root"
dpkg-deb -x "$kit_deb" "$kit_root"

checks=0 failures=0
check() {  # check DESCRIPTION COMMAND...: one check, reported when it fails
  local description=$1; shift
  checks=$((checks + 1))
  if ! "$@" >"$scratch/check.log" 2>&1; then
    failures=$((failures + 1))
    echo "FAILED: $description" >&2
    sed 's/^/  /' "$scratch/check.log" >&2
  fi
}

depends_on() {  # depends_on DEB PACKAGE: the package is among DEB's dependencies
  dpkg-deb -f "$1" Depends | tr -d ' ' | tr ',|' '\n\n' | sed 's/(.*//' | grep -qx "$2"
}
files_of() { dpkg-deb -c "$1" | awk '{print $6}' | sed 's|^\./||' | grep -v '/$' | sort; }
# Files of DEB that do not match the extended regular expression LAYOUT.
outside_layout() { files_of "$1" | grep -Ev "^($2)$" || true; }
stripped() { ! readelf -S "$@" | grep -q '\.debug_info'; }
runs_until_timeout() {  # the program keeps running until timeout ends it (124)
  local status=0
  QT_QPA_PLATFORM=offscreen timeout 5 "$@" || status=$?
  test "$status" -eq 124
}
png_size() {  # the width and height from a PNG's header
  od -An -tu1 -j16 -N8 "$1" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}'
}

# --- tintoral: the teaching program, without Node.js or the panel tools.
lib=$program_root/usr/lib/tintoral
for package in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libpng16-16 \
  qt6-qpa-plugins fonts-liberation2 fonts-dejavu-core fonts-urw-base35 fonts-comic-neue; do
  check "tintoral depends on $package" depends_on "$program_deb" "$package"
done
check "tintoral does not depend on Node.js" bash -c "! dpkg-deb -f '$program_deb' Depends | grep -q nodejs"
check "tintoral holds only the program and its desktop files" test -z "$(outside_layout "$program_deb" \
  'usr/bin/tintoral|usr/lib/tintoral/tintoral|usr/share/(applications|metainfo|tintoral/screenshots|icons/hicolor)/.*')"
check "bin/tintoral leads to the program" test "$(readlink -f "$program_root/usr/bin/tintoral")" = "$lib/tintoral"
check "the program is stripped" stripped "$lib/tintoral"
for size in 16 22 24 32 48 64 128 256; do
  icon=$program_root/usr/share/icons/hicolor/${size}x$size/apps/$id.png
  check "the ${size}x$size icon is that size" test "$(png_size "$icon" 2>/dev/null)" = "${size}x$size"
done
check "the screenshot is installed" test -s "$program_root/usr/share/tintoral/screenshots/tintoral-main-window.png"
check "desktop-file-validate" desktop-file-validate "$program_root/usr/share/applications/$id.desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$program_root/usr/share/metainfo/$id.metainfo.xml"
check "the unpacked program starts" runs_until_timeout "$program_root/usr/bin/tintoral"

# --- tintoral-panels: the tools, both link libraries, the helper, the reference.
kit=$kit_root/usr/lib/tintoral
doc=$kit_root/usr/share/doc/tintoral-panels
for package in libc6 libstdc++6 libqt6widgets6 libpng16-16 qt6-qpa-plugins fonts-liberation2 nodejs libmodbus5 libmosquitto1; do
  check "tintoral-panels depends on $package" depends_on "$kit_deb" "$package"
done
check "tintoral-panels needs Node.js 18 or later" bash -c "dpkg-deb -f '$kit_deb' Depends | grep -q 'nodejs (>= 18)'"
check "tintoral-panels holds only the kit" test -z "$(outside_layout "$kit_deb" \
  'usr/bin/(panelview|formshot|paneldesigner)|usr/lib/tintoral/(panelview|formshot|paneldesigner|libiOPC\.so|libtintoralsim\.so|libtintoralmodbus\.so|libtintoralmqtt\.so|opcua-helper/.*)|usr/share/doc/tintoral-panels/(forms\.md|examples/(DemoPanel\.txt|DemoPanel\.sim|demo-server\.mjs|modbus/(ModbusPanel\.txt|plant-server\.py)|mqtt/MqttPanel\.txt))')"
check "the packages share no file" test -z "$(comm -12 <(files_of "$program_deb") <(files_of "$kit_deb"))"
for tool in panelview formshot paneldesigner; do
  check "bin/$tool leads to the tool" test "$(readlink -f "$kit_root/usr/bin/$tool")" = "$kit/$tool"
done
check "the tools and link libraries are stripped" stripped "$kit/panelview" "$kit/formshot" "$kit/paneldesigner" "$kit/libiOPC.so" \
  "$kit/libtintoralsim.so"
check "the simulation library has the link functions" bash -c "nm -D --defined-only '$kit/libtintoralsim.so' | grep -qw SignalAdd"
helper_says_ready() { test "$(node "$kit/opcua-helper/opcua-helper.mjs" </dev/null)" = ready; }
check "the installed helper loads node-opcua" helper_says_ready
installed_dev_packages() {  # the packages the helper's lock file marks as for development alone, if installed
  node -e 'const lock = require(process.argv[1]);
    for (const [path, entry] of Object.entries(lock.packages))
      if (entry.dev && require("fs").existsSync(process.argv[2] + "/" + path)) console.log(path);' \
    "$kit/opcua-helper/package-lock.json" "$kit/opcua-helper"
}
check "the helper's node_modules hold no development-only package" test -z "$(installed_dev_packages)"
check "the kit holds no dangling link" test -z "$(find "$kit_root" -xtype l)"
classes_match_reference() {  # the reference in the package is what the packaged formshot prints
  QT_QPA_PLATFORM=offscreen "$kit_root/usr/bin/formshot" --classes >"$scratch/classes.md"
  sed -n '/^<!-- generated by formshot --classes/,$p' "$doc/forms.md" | tail -n +2 | cmp - "$scratch/classes.md"
}
check "the packaged form reference is what the packaged formshot prints" classes_match_reference
check "the unpacked formshot renders the example panel" env QT_QPA_PLATFORM=offscreen \
  "$kit_root/usr/bin/formshot" "$doc/examples/DemoPanel.txt" "$scratch/panel.png"
check "the unpacked paneldesigner answers --version" bash -c "'$kit_root/usr/bin/paneldesigner' --version | grep -q '^paneldesigner '"
check "the unpacked panelview runs the example panel on its simulation" env QT_QPA_PLATFORM=offscreen \
  "$kit_root/usr/bin/panelview" --sim "$doc/examples/DemoPanel.sim" "$doc/examples/DemoPanel.txt" \
  --shot "$scratch/live-panel.png" 1

for deb in "$program_deb" "$kit_deb"; do
  echo "$(basename "$deb"): $(stat -c %s "$deb") bytes, $(dpkg-deb -f "$deb" Installed-Size) KiB installed"
done
echo "$((checks - failures)) passed, $failures failed"
test "$failures" -eq 0
