#include "instruments/opc/ValueConversion.h"

#include <charconv>
#include <cmath>

namespace tintoral {

std::optional<double> NumberOfLinkValue(const TVariant& value) {
  switch (value.Type()) {
    case TVarType::Integer:
    case TVarType::Int64:
    case TVarType::Double: return value.ToDouble();
    case TVarType::String: break;
    default: return std::nullopt;
  }
  const std::string text = value.ToString();
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const std::size_t last = text.find_last_not_of(" \t");
  const char* begin = text.data() + first;
  if (*begin == '+') ++begin;  // from_chars takes a minus sign only
  const char* end = text.data() + last + 1;
  double number = 0;
  const auto [stop, error] = std::from_chars(begin, end, number, std::chars_format::general);
  if (error != std::errc() || stop != end || !std::isfinite(number)) return std::nullopt;
  return number;
}

std::optional<std::string> WholeNumberText(double number) {
  // 2^63 is the first double past the 64-bit integers.
  constexpr double kLimit = 9223372036854775808.0;
  const double whole = std::round(number);  // halves away from zero
  if (!std::isfinite(whole) || whole >= kLimit || whole < -kLimit) return std::nullopt;
  return std::to_string(static_cast<long long>(whole));
}

}  // namespace tintoral
