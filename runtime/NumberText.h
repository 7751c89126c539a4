#pragma once
// Number <-> text conversion of the runtime. Decimal texts use the user's
// locale decimal separator (system/Locale.h) unless a function says
// otherwise.
#include <cstdint>
#include <string>
#include <string_view>

namespace tintoral {

// x written with exactly `decimals` digits after the separator: |x| is first
// taken to 18 significant digits (the 18th rounded to nearest, ties to even),
// then rounded half away from zero at the last digit kept. A result without a
// non-zero digit is written as zero, without a sign.
// FixedText(127.5L, 0) == "128"; FixedText(0.0005L, 3) == "0.001".
std::string FixedText(long double x, int decimals);

// FixedText takes `decimals` as 0 when negative and as kMaxFixedDecimals when
// larger: enough places for every digit of the smallest long double. It
// writes values of 1e18 and more in full, the digits after the 18th being
// zeros, and NaN and infinities as "NAN", "INF" and "-INF".
inline constexpr int kMaxFixedDecimals = 4970;

// The integer that FixedText(x, 0) spells. Raises ConvertError
// "'<text>' is not a valid integer value" when that text is not a 64-bit
// integer (NaN, infinities, magnitudes of 2^63 and more).
std::int64_t RoundHalfAway(long double x);

// General float text: up to 15 significant digits, trailing zeros dropped,
// scientific form ("1E15", "1.5E-7") when the decimal exponent is 15 or more
// or below -5; the locale decimal separator. Property files use it.
std::string FloatToText(long double x);
// The same with up to `significantDigits` digits (1 to 21): 17 bring every
// double back exactly, 21 every long double.
std::string FloatToText(long double x, int significantDigits);

// Text to integer: optional blanks in front, an optional sign, decimal digits
// or hexadecimal after "$" or "0x"; must fit 32 bits. Otherwise raises
// ConvertError "'<text>' is not a valid integer value".
std::int32_t TextToInt(std::string_view text);
std::int64_t TextToInt64(std::string_view text);

// Text to float with the locale decimal separator, optional exponent,
// surrounding blanks allowed. Otherwise raises ConvertError
// "'<text>' is not a valid floating point value".
long double TextToFloat(std::string_view text);

}  // namespace tintoral
