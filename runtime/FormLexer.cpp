#include "runtime/FormLexer.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "runtime/Exception.h"
#include "runtime/FormValueText.h"
#include "runtime/Identifiers.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentPart(char c) { return IsIdentStart(c) || IsDigit(c); }
int HexValue(char c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

// "U+00E9".
std::string CodePointName(char32_t ch) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(ch));
  return name;
}

// Longest text of a token that error messages quote.
constexpr std::size_t kQuotedLength = 40;

}  // namespace

TFormLexer::TFormLexer(std::string_view text) : text_(text) { Next(); }

char TFormLexer::Peek(std::size_t ahead) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }

bool TFormLexer::IsSymbol(char symbol) const {
  return current_.kind == TTokenKind::Symbol && current_.source.size() == 1 && current_.source[0] == symbol;
}

bool TFormLexer::IsIdent(std::string_view word) const {
  return current_.kind == TTokenKind::Ident && SameText(current_.source, word);
}

void TFormLexer::ErrorAt(int line, const std::string& message) const {
  throw StreamError("Line " + std::to_string(line) + ": " + message);
}

void TFormLexer::Error(const std::string& message) const { ErrorAt(current_.line, message); }

void TFormLexer::Expected(const std::string& what) const { Error(what + " expected but " + Describe() + " found"); }

std::string TFormLexer::Describe() const {
  switch (current_.kind) {
    case TTokenKind::EndOfFile: return "end of file";
    case TTokenKind::String: return "string " + current_.source.substr(0, kQuotedLength);
    case TTokenKind::Binary: return "binary value";
    default: return "'" + current_.source.substr(0, kQuotedLength) + "'";
  }
}

void TFormLexer::SkipBlanks() {
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (c == '\n') {
      ++line_;
    } else if (c != ' ' && c != '\t' && c != '\r') {
      return;
    }
    ++pos_;
  }
}

void TFormLexer::Next() {
  SkipBlanks();
  current_ = TToken{};
  current_.line = line_;
  if (pos_ >= text_.size()) return;
  const char c = Peek();
  const std::size_t start = pos_;
  if (IsIdentStart(c)) {
    ReadIdent();
  } else if (IsDigit(c) || c == '$' || (c == '-' && (IsDigit(Peek(1)) || Peek(1) == '$'))) {
    ReadNumber();
  } else if (c == '\'' || c == '#') {
    ReadString();
  } else if (c == '{') {
    ReadBinary();
  } else if (static_cast<unsigned char>(c) > 32 && static_cast<unsigned char>(c) < 127) {
    current_.kind = TTokenKind::Symbol;
    ++pos_;
  } else {
    Error("Invalid character #" + std::to_string(static_cast<unsigned char>(c)));
  }
  if (current_.kind != TTokenKind::String) current_.source.assign(text_.substr(start, pos_ - start));
}

void TFormLexer::ReadIdent() {
  current_.kind = TTokenKind::Ident;
  while (IsIdentPart(Peek())) ++pos_;
}

void TFormLexer::ReadNumber() {
  const std::size_t start = pos_;
  const bool negative = Peek() == '-';
  if (negative) ++pos_;
  if (Peek() == '$') {
    ++pos_;
    const std::size_t digits = pos_;
    while (IsHexDigit(Peek())) ++pos_;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text_.data() + digits, text_.data() + pos_, value, 16);
    if (pos_ == digits) Error("Hexadecimal digits expected");
    if (error != std::errc() || value > static_cast<std::uint64_t>(INT64_MAX))
      Error("Number " + std::string(text_.substr(start, pos_ - start)) + " is out of range");
    current_.kind = TTokenKind::Integer;
    current_.integer = negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
    return;
  }
  while (IsDigit(Peek())) ++pos_;
  bool isFloat = false;
  if (Peek() == '.' && IsDigit(Peek(1))) {
    isFloat = true;
    ++pos_;
    while (IsDigit(Peek())) ++pos_;
  }
  if ((Peek() == 'E' || Peek() == 'e') &&
      (IsDigit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2))))) {
    isFloat = true;
    pos_ += 2;
    while (IsDigit(Peek())) ++pos_;
  }
  if (IsIdentPart(Peek()) || Peek() == '.')
    Error("Invalid number " + std::string(text_.substr(start, pos_ - start + 1)));
  const char* first = text_.data() + start;
  const char* last = text_.data() + pos_;
  bool valid = false;
  if (isFloat) {
    current_.kind = TTokenKind::Float;
    valid = ParseStreamFloat(std::string_view(first, static_cast<std::size_t>(last - first)), current_.real);
  } else {
    current_.kind = TTokenKind::Integer;
    valid = std::from_chars(first, last, current_.integer).ec == std::errc();
  }
  if (!valid) Error("Number " + std::string(first, last) + " is out of range");
}

void TFormLexer::ReadString() {
  current_.kind = TTokenKind::String;
  const std::size_t start = pos_;
  while (Peek() == '\'' || Peek() == '#') {
    if (Peek() == '\'') ReadQuoted();
    else ReadCharCode();
  }
  current_.source.assign(text_.substr(start, pos_ - start));
}

void TFormLexer::ReadQuoted() {
  ++pos_;  // opening quote
  std::string part;
  for (;;) {
    if (pos_ >= text_.size() || Peek() == '\n' || Peek() == '\r') ErrorAt(current_.line, "Unterminated string");
    const char c = text_[pos_++];
    if (c != '\'') {
      part += c;
    } else if (Peek() == '\'') {
      part += '\'';
      ++pos_;
    } else {
      break;
    }
  }
  current_.bytes += QuotedPartBytes(part);
}

// A quoted part typed in a UTF-8 editor holds non-ASCII characters as
// well-formed UTF-8; it is taken as such and brought to Windows-1252. Any
// other bytes are Windows-1252 already, as forms were always read.
std::string TFormLexer::QuotedPartBytes(const std::string& part) const {
  std::u32string characters;
  const bool ascii = std::all_of(part.begin(), part.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii || !DecodeUtf8Strictly(part, characters)) return part;
  std::string bytes;
  for (const char32_t ch : characters) {
    unsigned char byte = 0;
    if (!UnicodeToWindows1252(ch, byte))
      ErrorAt(current_.line, "Character " + CodePointName(ch) + " has no Windows-1252 byte");
    bytes += static_cast<char>(byte);
  }
  return bytes;
}

void TFormLexer::ReadCharCode() {
  ++pos_;  // '#'
  const std::size_t start = pos_;
  const bool hex = Peek() == '$';
  if (hex) ++pos_;
  const std::size_t digits = pos_;
  while (hex ? IsHexDigit(Peek()) : IsDigit(Peek())) ++pos_;
  long code = -1;
  if (pos_ == digits ||
      std::from_chars(text_.data() + digits, text_.data() + pos_, code, hex ? 16 : 10).ec != std::errc())
    code = -1;
  unsigned char byte = 0;
  if (!StreamCharCodeToByte(code, byte))
    Error("Invalid character code #" + std::string(text_.substr(start, pos_ - start)));
  current_.bytes += static_cast<char>(byte);
}

void TFormLexer::ReadBinary() {
  current_.kind = TTokenKind::Binary;
  ++pos_;  // '{'
  int high = -1;
  for (;;) {
    SkipBlanks();
    if (pos_ >= text_.size()) ErrorAt(current_.line, "Unterminated binary value");
    const char c = text_[pos_++];
    if (c == '}') break;
    if (!IsHexDigit(c)) ErrorAt(line_, "Invalid binary value");
    if (high < 0) {
      high = HexValue(c);
    } else {
      current_.bytes += static_cast<char>(high * 16 + HexValue(c));
      high = -1;
    }
  }
  if (high >= 0) ErrorAt(line_, "Invalid binary value: odd number of hex digits");
}

}  // namespace tintoral
