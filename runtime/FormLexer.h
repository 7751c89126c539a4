#pragma once
// Splits the text form of a form stream into tokens: identifiers, integers
// (decimal or $hex, with an optional minus), floats (with "." or an
// exponent), strings (quoted parts and #n codes run together; a quoted part
// that is well-formed UTF-8 with non-ASCII characters is read as UTF-8 and
// brought to Windows-1252, any other part taken as Windows-1252), byte blocks
// ({ hex digits }) and one-character symbols. Tracks line numbers for error
// messages.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tintoral {

enum class TTokenKind { EndOfFile, Ident, Integer, Float, String, Binary, Symbol };

struct TToken {
  TTokenKind kind = TTokenKind::EndOfFile;
  int line = 1;
  std::string source;  // the token as written (identifier, symbol, number text)
  std::int64_t integer = 0;
  long double real = 0;
  std::string bytes;  // the value of a string or a byte block
};

class TFormLexer {
 public:
  explicit TFormLexer(std::string_view text);

  const TToken& Current() const { return current_; }
  void Next();

  bool IsSymbol(char symbol) const;
  bool IsIdent(std::string_view word) const;  // case ignored

  // Raise StreamError "Line <n>: <message>" at the current token.
  [[noreturn]] void Error(const std::string& message) const;
  // "Line <n>: <what> expected but <current token> found".
  [[noreturn]] void Expected(const std::string& what) const;
  // The current token as error messages name it: 'end', ';', end of file.
  std::string Describe() const;

 private:
  [[noreturn]] void ErrorAt(int line, const std::string& message) const;
  void SkipBlanks();
  void ReadIdent();
  void ReadNumber();
  void ReadString();
  void ReadQuoted();
  std::string QuotedPartBytes(const std::string& part) const;
  void ReadCharCode();
  void ReadBinary();
  char Peek(std::size_t ahead = 0) const;

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  TToken current_;
};

}  // namespace tintoral
