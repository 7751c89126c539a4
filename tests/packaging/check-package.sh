#!/usr/bin/env bash
# check-package.sh BUILD_DIR SCRATCH: builds the .deb of BUILD_DIR with
# cpack, unpacks it into SCRATCH/root and checks its dependencies, its
# layout, the desktop files (with desktop-file-validate and appstreamcli),
# the OPC UA helper and that the unpacked program starts.
set -euo pipefail
build=$1 scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch"
if ! cpack --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  exit 1
fi
deb=$(echo "$scratch"/tintoral_*.deb)
root=$scratch/root
dpkg-deb -x "$deb" "$root"
id=org.tintoral.Tintoral
lib=$root/usr/lib/tintoral

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

# Dependencies: the shared libraries found in the binaries, and what the
# program loads otherwise.
depends=$(dpkg-deb -f "$deb" Depends)
depends_on() { tr -d ' ' <<<"$depends" | tr ',|' '\n\n' | sed 's/(.*//' | grep -qx "$1"; }
for package in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libpng16-16 \
  qt6-qpa-plugins fonts-liberation2 fonts-dejavu-core fonts-urw-base35 fonts-comic-neue nodejs; do
  check "Depends names $package: $depends" depends_on "$package"
done

# Layout: nothing outside the program's folder and the desktop folders.
outside_layout() {
  dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' | grep -Ev \
    '^(|usr/|usr/bin/|usr/bin/tintoral|usr/lib/|usr/lib/tintoral/.*|usr/share/|usr/share/(applications|metainfo|tintoral|icons|icons/hicolor)/.*)$'
}
check "every file lies in the installed layout" test -z "$(outside_layout)"
check "bin/tintoral leads to the program" test "$(readlink -f "$root/usr/bin/tintoral")" = "$lib/tintoral"
check "the program is executable" test -x "$lib/tintoral"
check "the link library lies beside the program" test -f "$lib/libiOPC.so"
check "the binaries are stripped" bash -c "! readelf -S '$lib/tintoral' '$lib/libiOPC.so' | grep -q '\.debug_info'"
helper_says_ready() { test "$(node "$lib/opcua-helper/opcua-helper.mjs" </dev/null)" = ready; }
check "the installed helper loads node-opcua" helper_says_ready

# Desktop integration.
png_size() {  # the width and height from a PNG's header
  od -An -tu1 -j16 -N8 "$1" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}'
}
for size in 16 22 24 32 48 64 128 256; do
  icon=$root/usr/share/icons/hicolor/${size}x$size/apps/$id.png
  check "the ${size}x$size icon is that size" test "$(png_size "$icon" 2>/dev/null)" = "${size}x$size"
done
check "the screenshot is installed" test -s "$root/usr/share/tintoral/screenshots/tintoral-main-window.png"
check "desktop-file-validate" desktop-file-validate "$root/usr/share/applications/$id.desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"

# The unpacked program starts and keeps running (timeout ends it: 124).
starts() {
  local status=0
  QT_QPA_PLATFORM=offscreen timeout 5 "$root/usr/bin/tintoral" || status=$?
  test "$status" -eq 124
}
check "the unpacked program starts" starts

echo "$((checks - failures)) passed, $failures failed"
test "$failures" -eq 0
