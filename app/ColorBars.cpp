#include "app/ColorBars.h"

namespace tintoral {

const std::array<TColorBar, kColorBarCount>& ColorBars() {
  static const std::array<TColorBar, kColorBarCount> bars{{
      {"Blanco", true, true, true},
      {"Amarillo", true, true, false},
      {"Cian", false, true, true},
      {"Verde", false, true, false},
      {"Magenta", true, false, true},
      {"Rojo", true, false, false},
      {"Azul", false, false, true},
      {"Negro", false, false, false},
  }};
  return bars;
}

double BarAmplitude(TBarSet set) { return set == TBarSet::Full ? 100.0 : 75.0; }

TSliderColor BarColor(TBarSet set, int index) {
  const TColorBar& bar = ColorBars().at(static_cast<std::size_t>(index));
  const double a = BarAmplitude(set);
  return {bar.Red ? a : 0.0, bar.Green ? a : 0.0, bar.Blue ? a : 0.0};
}

}  // namespace tintoral
