#!/usr/bin/env bash
# build.sh [OUT]: builds the libFuzzer targets with clang into OUT (default
# build-fuzz at the top of the tree). The sources they need (runtime,
# system, the property file and the runtime's test classes; the LCD
# character set for its target; the graphics layer for the image-list and
# PNG targets; the window layer and
# the instruments for the form-render target) are
# compiled here directly with clang and the fuzzing sanitizers; the CMake
# build (GCC) is not involved. Objects are rebuilt when their source is
# newer; after changing a header, remove OUT/obj.
#
# Run a target:  build-fuzz/property_file_fuzzer fuzz/corpus/property_file -max_total_time=180
# The form-render target has a dictionary of extreme values:
#   build-fuzz/form_render_fuzzer -dict=fuzz/form_render.dict fuzz/corpus/form_render -runs=2000000
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-fuzz}
mkdir -p "$out/obj"

cxx=${CXX:-clang++-14}
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -I"$root"
       -fsanitize=address,undefined -fno-sanitize-recover=undefined)

sources=(
  "$root"/runtime/*.cpp
  "$root"/system/*.cpp
  "$root"/instruments/base/PropertyFile.cpp
  "$root"/instruments/opc/*.cpp
  "$root"/tests/runtime/support/TestClasses.cpp
)

objects=()
for source in "${sources[@]}"; do
  object="$out/obj/$(realpath --relative-to="$root" "$source" | tr / _).o"
  if [ ! -f "$object" ] || [ "$source" -nt "$object" ]; then
    echo "compiling ${source#$root/}"
    "$cxx" "${flags[@]}" -fsanitize=fuzzer-no-link -c "$source" -o "$object"
  fi
  objects+=("$object")
done

# Compiles the sources given (each once, with the Qt and libpng flags) and
# prints their objects, for the targets that need more than the runtime.
qt_flags=($(pkg-config --cflags Qt6Widgets libpng xcb) -fPIC)
qt_libs=($(pkg-config --libs Qt6Widgets libpng xcb))
objects_of() {
  for source in "$@"; do
    object="$out/obj/$(realpath --relative-to="$root" "$source" | tr / _).o"
    if [ ! -f "$object" ] || [ "$source" -nt "$object" ]; then
      echo "compiling ${source#$root/}" >&2
      "$cxx" "${flags[@]}" "${qt_flags[@]}" -fsanitize=fuzzer-no-link -c "$source" -o "$object" >&2
    fi
    echo "$object"
  done
}
graphics=("$root"/platform/graphics/*.cpp)
# The LCD character set stands on the runtime alone.
lcd_characters=("$root"/instruments/LCDCharacter.cpp "$root"/instruments/LCDCharacterSet.cpp
                "$root"/instruments/LCDDefaultFont.cpp)
# Everything a form file may name: the window layer, the instrument base
# (the property file is among the runtime objects above) and the instruments.
controls=("$root"/platform/window/*.cpp "$root"/instruments/*.cpp)
for source in "$root"/instruments/base/*.cpp; do
  [ "$(basename "$source")" = PropertyFile.cpp ] || controls+=("$source")
done

for target in "$root"/fuzz/*Fuzzer.cpp; do
  name=$(basename "$target" .cpp | sed -E 's/([a-z])([A-Z])/\1_\2/g' | tr '[:upper:]' '[:lower:]')
  extra=()
  case $name in
    image_list_fuzzer) extra=($(objects_of "${graphics[@]}" "$root"/instruments/ObjectCanvasImageList.cpp)) ;;
    png_decoder_fuzzer) extra=($(objects_of "${graphics[@]}")) ;;
    lcdcharacters_fuzzer) extra=($(objects_of "${lcd_characters[@]}")) ;;
    form_render_fuzzer) extra=($(objects_of "${graphics[@]}" "${controls[@]}")) ;;
    mqtt_payload_fuzzer) extra=($(objects_of "$root"/linklib/mqtt/{MqttNames,MqttPayload}.cpp "$root"/linklib/{LinkValue,Json}.cpp)) ;;
    modbus_names_fuzzer) extra=($(objects_of "$root"/linklib/modbus/{ModbusAddress,ModbusCodec,ReadPlan}.cpp "$root"/linklib/LinkValue.cpp)) ;;
  esac
  [ ${#extra[@]} -gt 0 ] && extra=("${qt_flags[@]}" "${extra[@]}" "${qt_libs[@]}")
  echo "linking $name"
  "$cxx" "${flags[@]}" -fsanitize=fuzzer "$target" "${objects[@]}" "${extra[@]}" -ldl -o "$out/$name"
done
