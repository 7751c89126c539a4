#include "runtime/NumberText.h"

#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>

#include "runtime/Exception.h"
#include "system/Locale.h"

namespace tintoral {
namespace {

// A finite non-negative value as its leading significant digits:
// value = 0.<digits> × 10^pointPosition.
struct SignificantDigits {
  std::string digits;
  int pointPosition = 0;
};

// The first `count` significant digits of |x| (count ≥ 1), the last one
// rounded to nearest with ties to even, as printf's %e does. printf writes
// the locale's radix character, so everything that is not a digit before
// the exponent is skipped rather than assumed to be ".".
SignificantDigits LeadingDigits(long double x, int count) {
  char text[96];
  const int length = std::snprintf(text, sizeof text, "%.*Le", count - 1, std::fabs(x));
  SignificantDigits result;
  if (length <= 0 || length >= static_cast<int>(sizeof text)) return result;
  const char* p = text;
  for (; *p != '\0' && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') result.digits.push_back(*p);
  }
  const int exponent = (*p == 'e') ? std::atoi(p + 1) : 0;
  result.pointPosition = exponent + 1;
  return result;
}

bool AllZeros(const std::string& digits) {
  return std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0'; });
}

// Adds one to a decimal digit string; a carry out of the top adds a digit.
void Increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// round(|x| × 10^decimals) as a decimal digit string (possibly empty or all
// zeros), from 18 significant digits, halves rounded away from zero.
std::string ScaledRoundedDigits(long double x, int decimals) {
  const SignificantDigits significant = LeadingDigits(x, 18);
  const long long keptCount = static_cast<long long>(significant.pointPosition) + decimals;
  if (keptCount < 0) return {};  // the first dropped digit is a leading zero
  const auto available = static_cast<long long>(significant.digits.size());
  std::string kept = significant.digits.substr(0, static_cast<std::size_t>(std::min(keptCount, available)));
  if (keptCount > available) {
    kept.append(static_cast<std::size_t>(keptCount - available), '0');
  } else if (keptCount < available && significant.digits[static_cast<std::size_t>(keptCount)] >= '5') {
    Increment(kept);
  }
  return kept;
}

std::string NonFiniteText(long double x) {
  if (std::isnan(x)) return "NAN";
  return x < 0 ? "-INF" : "INF";
}

std::string ZeroText(int decimals, char separator) {
  std::string text = "0";
  if (decimals > 0) {
    text.push_back(separator);
    text.append(static_cast<std::size_t>(decimals), '0');
  }
  return text;
}

[[noreturn]] void ThrowInvalidInteger(std::string_view text) {
  throw ConvertError("'" + std::string(text) + "' is not a valid integer value");
}

[[noreturn]] void ThrowInvalidFloat(std::string_view text) {
  throw ConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses blanks, sign, and decimal or hexadecimal digits into an integer of
// `bits` bits. Decimal texts must lie in the signed range; hexadecimal texts
// may use all `bits` bits and are read as two's complement ("$FFFFFFFF" is
// -1 in 32 bits), then negated by a minus sign.
std::int64_t ParseInteger(std::string_view text, int bits) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    i += 1;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) ThrowInvalidInteger(text);

  const std::uint64_t signedMax = (std::uint64_t{1} << (bits - 1)) - 1;
  const std::uint64_t limit = hex ? (signedMax << 1) + 1 : signedMax + (negative ? 1 : 0);
  const unsigned base = hex ? 16 : 10;
  std::uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = hex ? HexDigitValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
    if (digit < 0) ThrowInvalidInteger(text);
    if (magnitude > (limit - static_cast<unsigned>(digit)) / base) ThrowInvalidInteger(text);
    magnitude = magnitude * base + static_cast<unsigned>(digit);
  }

  std::uint64_t bitsValue = negative ? std::uint64_t{0} - magnitude : magnitude;
  if (bits < 64) {  // sign-extend the low `bits` bits
    const std::uint64_t signBit = std::uint64_t{1} << (bits - 1);
    bitsValue &= (signBit << 1) - 1;
    bitsValue = (bitsValue ^ signBit) - signBit;
  }
  return static_cast<std::int64_t>(bitsValue);
}

// The C locale, for strtold_l: the global locale may have been set from the
// environment (Qt does so), and the text handed over always uses ".".
locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
  return locale;
}

// Checks the form [sign] digits [separator digits] [e [sign] digits] with at
// least one mantissa digit and returns it spelled with "." for strtold_l;
// nothing when the form is wrong.
std::optional<std::string> NormalizedFloatText(std::string_view text, char separator) {
  std::string plain;
  std::size_t i = 0;
  auto takeDigits = [&] {
    const std::size_t start = i;
    while (i < text.size() && IsDigit(text[i])) plain.push_back(text[i++]);
    return i - start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain.push_back(text[i++]);
  std::size_t mantissaDigits = takeDigits();
  if (i < text.size() && text[i] == separator) {
    plain.push_back('.');
    ++i;
    mantissaDigits += takeDigits();
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    plain.push_back('e');
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain.push_back(text[i++]);
    if (takeDigits() == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  return plain;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// General text of a finite non-zero value from its first significant digits.
std::string GeneralText(long double x, char separator, int significantDigits) {
  SignificantDigits significant = LeadingDigits(x, significantDigits);
  std::string& digits = significant.digits;
  if (digits.empty()) return "0";  // printf failed; cannot happen for finite values
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int exponent = significant.pointPosition - 1;

  std::string text = x < 0 ? "-" : "";
  if (exponent >= 15 || exponent < -5) {
    text.push_back(digits[0]);
    if (digits.size() > 1) {
      text.push_back(separator);
      text.append(digits, 1);
    }
    text += "E" + std::to_string(exponent);
  } else if (exponent >= 0) {
    const auto integerCount = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() < integerCount) digits.resize(integerCount, '0');
    text.append(digits, 0, integerCount);
    if (digits.size() > integerCount) {
      text.push_back(separator);
      text.append(digits, integerCount);
    }
  } else {
    text += "0";
    text.push_back(separator);
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text += digits;
  }
  return text;
}

}  // namespace

std::string FixedText(long double x, int decimals) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  decimals = std::clamp(decimals, 0, kMaxFixedDecimals);
  const char separator = DecimalSeparator();
  std::string digits = (x == 0) ? std::string() : ScaledRoundedDigits(x, decimals);
  if (AllZeros(digits)) return ZeroText(decimals, separator);

  const auto fractionCount = static_cast<std::size_t>(decimals);
  if (digits.size() < fractionCount + 1) digits.insert(0, fractionCount + 1 - digits.size(), '0');
  std::string text = x < 0 ? "-" : "";
  text.append(digits, 0, digits.size() - fractionCount);
  if (decimals > 0) {
    text.push_back(separator);
    text.append(digits, digits.size() - fractionCount);
  }
  return text;
}

std::int64_t RoundHalfAway(long double x) { return TextToInt64(FixedText(x, 0)); }

std::string FloatToText(long double x) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  if (x == 0) return "0";
  return GeneralText(x, DecimalSeparator(), 15);
}

std::string FloatToText(long double x, int significantDigits) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  if (x == 0) return "0";
  return GeneralText(x, DecimalSeparator(), std::clamp(significantDigits, 1, 21));
}

std::int32_t TextToInt(std::string_view text) { return static_cast<std::int32_t>(ParseInteger(text, 32)); }

std::int64_t TextToInt64(std::string_view text) { return ParseInteger(text, 64); }

long double TextToFloat(std::string_view text) {
  const std::optional<std::string> plain = NormalizedFloatText(TrimBlanks(text), DecimalSeparator());
  if (!plain) ThrowInvalidFloat(text);
  errno = 0;
  const long double value = strtold_l(plain->c_str(), nullptr, CLocale());
  if (!std::isfinite(value) || (errno == ERANGE && std::fabs(value) > 1)) ThrowInvalidFloat(text);
  return value;
}

}  // namespace tintoral
