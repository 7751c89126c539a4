#include "runtime/FormValueText.h"

#include <locale.h>
#include <stdlib.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <type_traits>

#include "runtime/Exception.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

// Shortest scientific text of the value in its own precision: "d.ddde±xx".
std::string ShortestScientific(long double value, TFloatType type) {
  char buffer[64];
  std::to_chars_result result{};
  switch (type) {
    case ftSingle:
      result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value), std::chars_format::scientific);
      break;
    case ftDouble:
      result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::scientific);
      break;
    case ftExtended:
      result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
      break;
  }
  return std::string(buffer, result.ptr);
}

// Digits d1 d2 ... dn with the decimal point after `pointAt` digits
// (pointAt may be outside 1..n), written in fixed form with at least one
// digit on each side of the point.
std::string FixedForm(const std::string& digits, int pointAt) {
  std::string text;
  if (pointAt <= 0) {
    text = "0." + std::string(static_cast<std::size_t>(-pointAt), '0') + digits;
  } else if (pointAt >= static_cast<int>(digits.size())) {
    text = digits + std::string(static_cast<std::size_t>(pointAt) - digits.size(), '0') + ".0";
  } else {
    text = digits.substr(0, static_cast<std::size_t>(pointAt)) + "." + digits.substr(static_cast<std::size_t>(pointAt));
  }
  return text;
}

locale_t ClassicLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
}

// strtod's answer for a text from_chars called out of range: underflow gives
// the subnormal or zero it rounds to, overflow gives HUGE_VAL.
long double StrtoldInClassicLocale(const std::string& text) {
  return strtold_l(text.c_str(), nullptr, ClassicLocale());
}
double StrtodInClassicLocale(const std::string& text) { return strtod_l(text.c_str(), nullptr, ClassicLocale()); }
float StrtofInClassicLocale(const std::string& text) { return strtof_l(text.c_str(), nullptr, ClassicLocale()); }

template <class F>
F StrtoInClassicLocale(const std::string& text) {
  if constexpr (std::is_same_v<F, float>) return StrtofInClassicLocale(text);
  else if constexpr (std::is_same_v<F, double>) return StrtodInClassicLocale(text);
  else return StrtoldInClassicLocale(text);
}

}  // namespace

template <class F>
bool ParseStreamFloat(std::string_view text, F& value) {
  const char* first = text.data();
  const char* last = first + text.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (end != last) return false;
  if (error == std::errc()) return true;
  if (error != std::errc::result_out_of_range) return false;
  const F result = StrtoInClassicLocale<F>(std::string(text));
  if (std::isinf(result)) return false;
  value = result;
  return true;
}

template bool ParseStreamFloat(std::string_view, float&);
template bool ParseStreamFloat(std::string_view, double&);
template bool ParseStreamFloat(std::string_view, long double&);

std::string StreamFloatText(long double value, TFloatType type) {
  if (!std::isfinite(value))
    throw StreamError("A stream cannot hold the float value " + std::string(std::isnan(value) ? "NAN" : "INF"));
  const std::string scientific = ShortestScientific(value, type);
  const std::size_t e = scientific.find('e');
  std::string mantissa = scientific.substr(0, e);
  const int exponent = std::atoi(scientific.c_str() + e + 1);
  const bool negative = !mantissa.empty() && mantissa.front() == '-';
  if (negative) mantissa.erase(0, 1);
  std::string digits;
  for (char c : mantissa)
    if (c != '.') digits += c;
  std::string text;
  if (exponent >= -5 && exponent < 15) {
    text = FixedForm(digits, exponent + 1);
  } else {
    text = digits.substr(0, 1) + "." + (digits.size() > 1 ? digits.substr(1) : "0") + "E" + std::to_string(exponent);
  }
  return negative ? "-" + text : text;
}

std::string StreamStringLiteral(std::string_view bytes) {
  if (bytes.empty()) return "''";
  std::string text;
  bool quoted = false;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    const bool printable = byte >= 32 && byte < 127;
    if (printable != quoted) {
      text += '\'';
      quoted = printable;
    }
    if (!printable) {
      text += '#' + std::to_string(static_cast<unsigned>(Windows1252ToUnicode(byte)));
    } else {
      text += c;
      if (c == '\'') text += '\'';
    }
  }
  if (quoted) text += '\'';
  return text;
}

bool StreamCharCodeToByte(long code, unsigned char& byte) {
  if (code < 0 || code > 0x10FFFF) return false;
  if (UnicodeToWindows1252(static_cast<char32_t>(code), byte)) return true;
  if (code > 255) return false;
  byte = static_cast<unsigned char>(code);
  return true;
}

}  // namespace tintoral
