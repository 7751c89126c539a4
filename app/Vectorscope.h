#pragma once
// The vectorscope of the test-signal window: the U/V plane (U across, V up,
// 150 pixels per unit as in the main window's diagram) on black, a green
// reference circle and axes, a target box around each of the six coloured
// bars' vectors (a larger box at 100 %, a smaller one at 75 %, named at the
// 100 % box), and the current colour's vector in aqua with its U and V.
// Every point comes from ComputeColorSignals, as on the main window.
#include <string>
#include <vector>

#include "app/ColorEntry.h"
#include "app/ColorSignals.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Geometry.h"

namespace tintoral {

class TCanvas;

inline constexpr int kVectorscopeSize = 241;

// The target box's centre, in pixels of the picture, for a colour.
TPoint VectorscopePoint(const TSliderColor& color);

// Draws the whole picture (kVectorscopeSize a side) and returns its rectangle.
TRect DrawVectorscope(TCanvas& canvas, const TColorSignalValues& current);

// Keeps the picture up to date on one surface: the graticule and the target
// boxes, which never change, are drawn once; each new colour copies them
// back only under the last vector and texts and draws the new ones. The
// pixels are those of DrawVectorscope; Redraw returns the parts it changed.
class TVectorscopeSurface {
 public:
  std::vector<TRect> Redraw(TCanvas& canvas, const TColorSignalValues& current);

 private:
  TBitmap frame_;  // graticule and targets, once drawn
  TRect vector_;   // the parts the current colour covers
  TRect texts_;
};

}  // namespace tintoral
