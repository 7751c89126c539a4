#pragma once
// The bar strip of the test-signal window: the eight colour bars of the
// 100 % set in the upper row and of the 75 % set in the lower one, each row
// named on its left ("100 %", "75 %") with the selected set's name marked,
// and the bar whose colour the sliders show framed.
#include <optional>
#include <vector>

#include "app/ColorBars.h"
#include "platform/graphics/Geometry.h"

namespace tintoral {

class TCanvas;

inline constexpr int kBarStripNameWidth = 56;
inline constexpr int kBarWidth = 64;
inline constexpr int kBarRowHeight = 44;
inline constexpr int kBarStripWidth = kBarStripNameWidth + kColorBarCount * kBarWidth;
inline constexpr int kBarStripHeight = 2 * kBarRowHeight;

struct TBarChoice {
  TBarSet Set = TBarSet::Full;
  int Index = 0;  // 0 … 7, left to right
  friend bool operator==(const TBarChoice&, const TBarChoice&) = default;
};

// The bar under a point of the strip; nothing over the names.
std::optional<TBarChoice> BarAt(int x, int y);
// A bar's rectangle in the strip.
TRect BarRect(const TBarChoice& bar);

// The bar showing the colour of these 8-bit levels, searched in the selected
// set first; nothing when none does.
std::optional<TBarChoice> BarOfLevels(TBarSet selected, int red8, int green8, int blue8);

// Draws the whole strip and returns its rectangle.
TRect DrawBarStrip(TCanvas& canvas, TBarSet selected, const std::optional<TBarChoice>& current);
// Moves the frame from one bar to another on a drawn strip, redrawing only
// those two bars; returns their rectangles.
std::vector<TRect> MoveBarFrame(TCanvas& canvas, const std::optional<TBarChoice>& from,
                                const std::optional<TBarChoice>& to);

}  // namespace tintoral
