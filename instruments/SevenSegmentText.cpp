#include "instruments/SevenSegmentText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "runtime/NumberText.h"

namespace tintoral {

namespace {

constexpr char kUpArrow = '<';
constexpr char kDownArrow = '>';

char SignCell(bool negative) { return negative ? '-' : '+'; }

// The overflow display: one arrow per digit cell, after the sign cell.
void FillWithArrows(SevenSegmentRow& row, bool negative, int digitCount) {
  row.cells.append(static_cast<std::size_t>(digitCount), negative ? kDownArrow : kUpArrow);
}

SevenSegmentRow StartRow(bool showSign, bool negative) {
  SevenSegmentRow row;
  if (showSign) row.cells.push_back(SignCell(negative));
  return row;
}

// Magnitude of `value` as decimal digits; the most negative 32-bit value
// needs 64 bits for its magnitude.
std::string MagnitudeDigits(std::int32_t value) { return std::to_string(std::llabs(static_cast<long long>(value))); }

struct SplitText {
  std::string integerPart;
  std::string fraction;
  char separator = '\0';  // '\0' when the text has neither "." nor ","
};

SplitText SplitAtSeparator(const std::string& text) {
  for (char separator : {'.', ','}) {
    const auto at = text.find(separator);
    if (at != std::string::npos) return {text.substr(0, at), text.substr(at + 1), separator};
  }
  return {text, "", '\0'};
}

bool AnalogOverflows(const std::string& text, double value, int digitCount, int precision) {
  // An infinite value has no digits to show; its text ("INF") must not be
  // drawn as if it were a number.
  if (!std::isfinite(value)) return true;
  const auto allowed = static_cast<std::size_t>(precision > 0 ? digitCount + 1 : digitCount);
  return text.size() > allowed;
}

// The fraction cut or left-filled with "0" to exactly `precision` characters.
std::string FitFraction(std::string fraction, int precision) {
  const auto width = static_cast<std::size_t>(precision);
  if (fraction.size() > width) fraction.resize(width);
  return std::string(width - fraction.size(), '0') + fraction;
}

}  // namespace

std::string PadLeading(const std::string& text, int width, TiLeadingStyle leading) {
  const auto wanted = static_cast<std::size_t>(std::max(width, 0));
  if (leading == ilsNone || text.size() >= wanted) return text;
  return std::string(wanted - text.size(), leading == ilsZeros ? '0' : ' ') + text;
}

SevenSegmentRow IntegerReadoutRow(std::int32_t value, bool showSign, int digitCount, TiLeadingStyle leading) {
  const bool negative = value < 0;
  SevenSegmentRow row = StartRow(showSign, negative);
  const std::string digits = MagnitudeDigits(value);
  if (digits.size() > static_cast<std::size_t>(digitCount)) {
    FillWithArrows(row, negative, digitCount);
    return row;
  }
  row.cells += PadLeading(digits, digitCount, leading);
  return row;
}

SevenSegmentRow AnalogReadoutRow(double value, bool showSign, int digitCount, int precision, TiLeadingStyle leading) {
  const bool negative = value < 0;
  SevenSegmentRow row = StartRow(showSign, negative);
  const std::string text = FixedText(std::fabs(static_cast<long double>(value)), precision);
  if (AnalogOverflows(text, value, digitCount, precision)) {
    FillWithArrows(row, negative, digitCount);
    return row;
  }
  const SplitText split = SplitAtSeparator(text);
  row.cells += PadLeading(split.integerPart, digitCount - precision, leading);
  if (precision > 0 && digitCount > 1) {
    row.markAfterCell = static_cast<int>(row.cells.size());
    row.markChar = split.separator == '.' ? '.' : ',';
  }
  const std::string fraction = FitFraction(split.fraction, precision);
  row.cells += fraction.substr(0, static_cast<std::size_t>(std::min(precision, digitCount - 1)));
  return row;
}

}  // namespace tintoral
