#pragma once
// Conversion between Windows-1252 byte strings (the library's text type) and
// Unicode. Every Windows-1252 byte maps to one UTF-16 unit; the five bytes the
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// control characters of the same value, so every byte string round-trips.
#include <string>
#include <string_view>

namespace tintoral {

char16_t Windows1252ToUnicode(unsigned char byte);
// False when the character has no Windows-1252 byte.
bool UnicodeToWindows1252(char32_t ch, unsigned char& byte);

std::u16string Windows1252ToUtf16(std::string_view text);
std::string Windows1252ToUtf8(std::string_view text);
// Characters without a Windows-1252 byte become `replacement`.
std::string Utf16ToWindows1252(std::u16string_view text, char replacement = '?');
std::string Utf8ToWindows1252(std::string_view text, char replacement = '?');
// The code points of well-formed UTF-8 (no overlong forms, surrogates or
// values past U+10FFFF); false, with `out` unspecified, for any other bytes.
bool DecodeUtf8Strictly(std::string_view text, std::u32string& out);

}  // namespace tintoral
