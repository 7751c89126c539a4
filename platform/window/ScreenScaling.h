#pragma once
// Whole-number screen scaling. Every pixel a control draws must become an
// exact n x n block on a high-density screen; a fractional factor (1.5)
// cannot do that without smearing or uneven pixels. The program therefore
// runs at the nearest whole factor: 1.5 and more rounds up, less rounds
// down, and nothing goes below 1.
#include <optional>
#include <string>
#include <string_view>

namespace tintoral {

// The whole factor used in place of `factor` (> 0): 1.49 -> 1, 1.5 -> 2,
// 2.6 -> 3, 0.5 -> 1.
int NearestWholeScaleFactor(double factor);

// The whole factor for a QT_SCALE_FACTOR text; nothing when the text is no
// positive number (Qt then ignores it as well).
std::optional<int> WholeScaleFactorForText(std::string_view text);

// A QT_SCREEN_SCALE_FACTORS text ("1.5" or "NAME=1.5;NAME=2", one entry per
// screen) with each factor replaced by its whole factor; entries that are
// not a factor stay as they are.
std::string WholeScreenScaleFactorsText(std::string_view text);

// Where a client area lands in a larger window that shows it enlarged by a
// whole factor: `wanted` (at most), or the largest factor up to `maxZoom`
// when the window is to be filled (maximised, full screen); smaller while it
// does not fit, never below 1; centred, never left or above the window.
struct TZoomPlacement {
  int zoom = 1;
  int left = 0, top = 0;
  friend bool operator==(const TZoomPlacement&, const TZoomPlacement&) = default;
};
TZoomPlacement PlaceZoomedClient(int wanted, bool fill, int maxZoom, int windowWidth, int windowHeight, int clientWidth,
                                 int clientHeight);

// Makes Qt round the screen's own factor to the nearest whole number and
// replaces fractional factors in QT_SCALE_FACTOR and QT_SCREEN_SCALE_FACTORS
// with whole ones. Must run before the QApplication is created.
void UseWholeScreenScaleFactors();

}  // namespace tintoral
