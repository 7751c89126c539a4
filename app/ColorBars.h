#pragma once
// The eight colour bars of the standard test signal, left to right: white,
// yellow, cyan, green, magenta, red, blue, black. Each bar is on (at the
// set's amplitude) or off in each of R, G and B: amplitude 100 in the 100 %
// set, 75 in the 75 % set (its white is a 75 % grey); black is 0 in both.
#include <array>
#include <string_view>

#include "app/ColorEntry.h"

namespace tintoral {

inline constexpr int kColorBarCount = 8;

enum class TBarSet { Full, Reduced };  // 100 % and 75 % amplitude

struct TColorBar {
  std::string_view Name;  // Spanish, Windows-1252: "Amarillo"
  bool Red = false, Green = false, Blue = false;
};

const std::array<TColorBar, kColorBarCount>& ColorBars();

// The set's amplitude in per cent: 100 or 75.
double BarAmplitude(TBarSet set);

// Bar `index` (0 … 7) of the set as slider positions.
TSliderColor BarColor(TBarSet set, int index);

}  // namespace tintoral
