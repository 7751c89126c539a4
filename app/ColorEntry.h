#pragma once
// Colour values typed in by the user in the test-signal window: each of R,
// G and B as per cent (0 … 100, with the locale's decimal separator) or as
// an 8-bit level (0 … 255), or all three as one "#RRGGBB" text. A text that
// is no such value, or lies outside the range, is refused with a message
// saying why (Spanish, Windows-1252); nothing is clamped.
#include <optional>
#include <string>
#include <string_view>

#include "platform/graphics/Color.h"

namespace tintoral {

// A colour as the three slider positions, per cent.
struct TSliderColor {
  double Red = 0;
  double Green = 0;
  double Blue = 0;
  friend bool operator==(const TSliderColor&, const TSliderColor&) = default;
};

// A typed value: what it stands for, or why it is refused.
template <class T>
struct TEntry {
  std::optional<T> Value;
  std::string Problem;  // empty when Value holds
};

// `channel` names the value in messages ("Rojo").
TEntry<double> ParsePercentEntry(std::string_view text, char decimalSeparator, std::string_view channel);
// The per cent that gives the level (PercentOfLevel).
TEntry<double> ParseLevelEntry(std::string_view text, std::string_view channel);
TEntry<TSliderColor> ParseHexEntry(std::string_view text);

// "#RRGGBB" of a colour 0x00BBGGRR.
std::string ColorHexText(TColor color);

// The slider position (per cent) that gives an 8-bit level: level × 100 / 255,
// exactly 0 and 100 at the ends.
double PercentOfLevel(int level);

}  // namespace tintoral
