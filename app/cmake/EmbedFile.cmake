# Turns a file into a C++ source that defines one function returning its bytes:
#   cmake -DINPUT=file -DOUTPUT=out.cpp -DFUNCTION=Name -DKIND=text|bytes -P EmbedFile.cmake
# KIND text:  std::string_view Name()                  (for form files)
# KIND bytes: std::span<const std::uint8_t> Name()     (for pictures)
# The function lives in namespace tintoral and is declared in app/Resources.h.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){20})" "\\1\n    " bytes "${bytes}")
get_filename_component(source_name "${INPUT}" NAME)
if(KIND STREQUAL "text")
  set(signature "std::string_view ${FUNCTION}()")
  set(result "std::string_view(reinterpret_cast<const char*>(kData), ${size})")
else()
  set(signature "std::span<const std::uint8_t> ${FUNCTION}()")
  set(result "std::span<const std::uint8_t>(kData, ${size})")
endif()
file(WRITE "${OUTPUT}.tmp" "// Generated from ${source_name} at build time; do not edit.
#include \"app/Resources.h\"

namespace tintoral {

${signature} {
  // One zero byte more, so that an empty file still gives a valid array.
  static const std::uint8_t kData[] = {
    ${bytes}0x00};
  return ${result};
}

}  // namespace tintoral
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
