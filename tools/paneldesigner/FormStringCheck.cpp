#include "tools/paneldesigner/FormStringCheck.h"

#include <cstdio>

#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

std::string Utf8Of(char32_t ch) {
  std::string out;
  if (ch < 0x80) {
    out += static_cast<char>(ch);
  } else if (ch < 0x800) {
    out += static_cast<char>(0xC0 | (ch >> 6));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else if (ch < 0x10000) {
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (ch >> 18));
    out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  }
  return out;
}

}  // namespace

std::optional<std::string> FormStringProblem(std::string_view utf8) {
  std::u32string characters;
  if (!DecodeUtf8Strictly(utf8, characters)) return "The text is not well-formed UTF-8";
  for (const char32_t ch : characters) {
    unsigned char byte = 0;
    if (UnicodeToWindows1252(ch, byte)) continue;
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(ch));
    return "'" + Utf8Of(ch) + "' (" + code +
           ") is not a Windows-1252 character: form files hold only Windows-1252 text";
  }
  return std::nullopt;
}

}  // namespace tintoral
