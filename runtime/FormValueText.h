#pragma once
// How form streams spell floats and strings. Streams always use "." and
// never depend on the user's locale.
#include <string>
#include <string_view>

#include "runtime/PropertyInfo.h"

namespace tintoral {

// The shortest text that reads back to exactly the same value of the given
// float type, always with a "." (100.0, 0.1, 1.5E20, 1.0E-7). Raises
// StreamError for infinities and NaN, which a stream cannot hold.
std::string StreamFloatText(long double value, TFloatType type);

// Parses a float written with "." (no blanks around it) in the precision of
// F (float, double or long double), rounding once. A value too small for F
// becomes the nearest one it holds (a subnormal or 0); false when the text
// is no number or the value is too large.
template <class F>
bool ParseStreamFloat(std::string_view text, F& value);

// A string literal: printable ASCII inside quotes (a quote doubled), every
// other byte as #n with n its Unicode code point ('Versi'#243'n', #8364 for
// the euro sign); '' for the empty string.
std::string StreamStringLiteral(std::string_view bytes);

// The byte of a #n character code: its Windows-1252 byte, or for a code
// below 256 without one the byte of that value; false when there is none.
bool StreamCharCodeToByte(long code, unsigned char& byte);

}  // namespace tintoral
