#pragma once
// How a value from the link becomes a number for a numeric property: servers
// often keep a setpoint as a double or send a reading as text, and a panel
// binds it to an integer or a floating-point property all the same.
#include <optional>
#include <string>

#include "runtime/Variant.h"

namespace tintoral {

// The value as a number: an integer or a double as it is, a text that holds
// a decimal number (blanks around it allowed, '.' as the decimal point,
// whatever the locale) as that number. Nothing for a Boolean, Empty, or any
// other text.
std::optional<double> NumberOfLinkValue(const TVariant& value);

// The text an integer property is given for a number: rounded to a whole
// number, halves away from zero (71.5 -> 72, -71.5 -> -72). Nothing when the
// number is not finite or beyond 64-bit integers.
std::optional<std::string> WholeNumberText(double number);

}  // namespace tintoral
