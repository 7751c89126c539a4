#include "app/ColorEntry.h"

#include <cctype>
#include <cstdio>

namespace tintoral {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// An optional sign, digits, then (when `separator` is given) the separator
// and digits; at least one digit. Nothing for any other text.
std::optional<double> PlainNumber(std::string_view text, char separator) {
  std::string normal;
  std::size_t i = 0, digits = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) normal += text[i++];
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) normal += text[i];
  if (separator != 0 && i < text.size() && text[i] == separator) {
    normal += '.';
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) normal += text[i];
  }
  if (i != text.size() || digits == 0 || digits > 30) return std::nullopt;
  double value = 0;
  return std::sscanf(normal.c_str(), "%lf", &value) == 1 ? std::optional<double>(value) : std::nullopt;
}

std::string Quoted(std::string_view text) { return "\xAB" + std::string(text) + "\xBB"; }

template <class T>
TEntry<T> Refused(std::string message) {
  return {std::nullopt, std::move(message)};
}

}  // namespace

TEntry<double> ParsePercentEntry(std::string_view text, char decimalSeparator, std::string_view channel) {
  text = Trimmed(text);
  if (!text.empty() && text.back() == '%') text = Trimmed(text.substr(0, text.size() - 1));
  const std::optional<double> value = PlainNumber(text, decimalSeparator);
  const std::string name(channel);
  if (!value)
    return Refused<double>(name + ": " + Quoted(text) + " no es un porcentaje (decimales con " +
                           Quoted(std::string(1, decimalSeparator)) + ").");
  if (*value < 0 || *value > 100) return Refused<double>(name + ": " + Quoted(text) + " est\xE1 fuera de 0 a 100 %.");
  return {*value, {}};
}

TEntry<double> ParseLevelEntry(std::string_view text, std::string_view channel) {
  text = Trimmed(text);
  const std::optional<double> value = PlainNumber(text, 0);
  const std::string name(channel);
  if (!value) return Refused<double>(name + ": " + Quoted(text) + " no es un nivel entero.");
  if (*value < 0 || *value > 255) return Refused<double>(name + ": " + Quoted(text) + " est\xE1 fuera de 0 a 255.");
  return {PercentOfLevel(static_cast<int>(*value)), {}};
}

TEntry<TSliderColor> ParseHexEntry(std::string_view text) {
  text = Trimmed(text);
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '#') digits.remove_prefix(1);
  int levels[3] = {};
  bool hex = digits.size() == 6;
  for (std::size_t i = 0; hex && i < 6; ++i) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(digits[i])));
    const int nibble = IsDigit(c) ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
    hex = nibble >= 0;
    levels[i / 2] = levels[i / 2] * 16 + nibble;
  }
  if (!hex) return Refused<TSliderColor>("Color: " + Quoted(text) + " no es un color #RRGGBB.");
  return {TSliderColor{PercentOfLevel(levels[0]), PercentOfLevel(levels[1]), PercentOfLevel(levels[2])}, {}};
}

std::string ColorHexText(TColor color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<unsigned>(color & 0xFF),
                static_cast<unsigned>((color >> 8) & 0xFF), static_cast<unsigned>((color >> 16) & 0xFF));
  return text;
}

double PercentOfLevel(int level) { return level * 100.0 / 255.0; }

}  // namespace tintoral
