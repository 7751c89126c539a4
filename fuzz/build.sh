#!/usr/bin/env bash
# build.sh [OUT]: builds the libFuzzer targets with clang into OUT (default
# build-fuzz at the top of the tree). The sources they need (runtime,
# platform/system, the property file and the runtime's test classes; the
# graphics layer and the image list for the image-list target) are
# compiled here directly with clang and the fuzzing sanitizers; the CMake
# build (GCC) is not involved. Objects are rebuilt when their source is
# newer; after changing a header, remove OUT/obj.
#
# Run a target:  build-fuzz/property_file_fuzzer fuzz/corpus/property_file -max_total_time=180
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-fuzz}
mkdir -p "$out/obj"

cxx=${CXX:-clang++-14}
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -I"$root"
       -fsanitize=address,undefined -fno-sanitize-recover=undefined)

sources=(
  "$root"/runtime/*.cpp
  "$root"/platform/system/*.cpp
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

# Objects of the graphics layer (Qt and libpng) for the targets that need it.
graphics_flags=($(pkg-config --cflags Qt6Gui libpng) -fPIC)
graphics_libs=($(pkg-config --libs Qt6Gui libpng))
graphics_objects=()
compile_graphics() {
  [ ${#graphics_objects[@]} -gt 0 ] && return
  for source in "$root"/platform/graphics/*.cpp "$root"/instruments/ObjectCanvasImageList.cpp; do
    object="$out/obj/$(realpath --relative-to="$root" "$source" | tr / _).o"
    if [ ! -f "$object" ] || [ "$source" -nt "$object" ]; then
      echo "compiling ${source#$root/}"
      "$cxx" "${flags[@]}" "${graphics_flags[@]}" -fsanitize=fuzzer-no-link -c "$source" -o "$object"
    fi
    graphics_objects+=("$object")
  done
}

for target in "$root"/fuzz/*Fuzzer.cpp; do
  name=$(basename "$target" .cpp | sed -E 's/([a-z])([A-Z])/\1_\2/g' | tr '[:upper:]' '[:lower:]')
  extra=()
  if [ "$name" = image_list_fuzzer ]; then
    compile_graphics
    extra=("${graphics_flags[@]}" "${graphics_objects[@]}" "${graphics_libs[@]}")
  fi
  echo "linking $name"
  "$cxx" "${flags[@]}" -fsanitize=fuzzer "$target" "${objects[@]}" "${extra[@]}" -ldl -o "$out/$name"
done
