#include "runtime/Windows1252.h"

#include <array>

namespace tintoral {
namespace {

// Unicode of the bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t ch) {
  if (ch < 0x80) {
    out += static_cast<char>(ch);
  } else if (ch < 0x800) {
    out += static_cast<char>(0xC0 | (ch >> 6));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[i], advancing i; malformed bytes decode
// as U+FFFD one byte at a time.
char32_t NextUtf8(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 && lead < 0xF8 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
  if (extra < 0 || lead >= 0xF8) return 0xFFFD;
  char32_t ch = lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0xFFFD;
    ch = (ch << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
  }
  return ch;
}

}  // namespace

char16_t Windows1252ToUnicode(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t{byte};
}

bool UnicodeToWindows1252(char32_t ch, unsigned char& byte) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
    byte = static_cast<unsigned char>(ch);
    return true;
  }
  for (std::size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] == ch) {
      byte = static_cast<unsigned char>(0x80 + k);
      return true;
    }
  }
  return false;
}

std::u16string Windows1252ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char c : text) out += Windows1252ToUnicode(static_cast<unsigned char>(c));
  return out;
}

std::string Windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendUtf8(out, Windows1252ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf16ToWindows1252(std::u16string_view text, char replacement) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t ch = text[i];
    if (ch >= 0xD800 && ch < 0xDC00 && i + 1 < text.size()) {
      ++i;  // a surrogate pair is never a Windows-1252 character
      out += replacement;
      continue;
    }
    unsigned char byte;
    out += UnicodeToWindows1252(ch, byte) ? static_cast<char>(byte) : replacement;
  }
  return out;
}

std::string Utf8ToWindows1252(std::string_view text, char replacement) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    unsigned char byte;
    out += UnicodeToWindows1252(NextUtf8(text, i), byte) ? static_cast<char>(byte) : replacement;
  }
  return out;
}

namespace {

// The length of the UTF-8 sequence a lead byte starts, 0 for a byte that
// cannot lead one, and the smallest code point that length may carry.
int SequenceLength(unsigned char lead, char32_t& smallest) {
  if (lead < 0x80) return smallest = 0, 1;
  if (lead >= 0xC2 && lead <= 0xDF) return smallest = 0x80, 2;
  if (lead >= 0xE0 && lead <= 0xEF) return smallest = 0x800, 3;
  if (lead >= 0xF0 && lead <= 0xF4) return smallest = 0x10000, 4;
  return 0;
}

}  // namespace

bool DecodeUtf8Strictly(std::string_view text, std::u32string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    char32_t smallest = 0;
    const int length = SequenceLength(lead, smallest);
    if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) return false;
    char32_t ch = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return false;
      ch = (ch << 6) | (next & 0x3F);
    }
    if (ch < smallest || ch > 0x10FFFF || (ch >= 0xD800 && ch < 0xE000)) return false;
    out += ch;
    i += static_cast<std::size_t>(length);
  }
  return true;
}

}  // namespace tintoral
