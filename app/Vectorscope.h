#pragma once
// The vectorscope of the test-signal window: the U/V plane (U across, V up,
// 150 pixels per unit as in the main window's diagram) on black, a green
// reference circle and axes, a target box around each of the six coloured
// bars' vectors (a larger box at 100 %, a smaller one at 75 %, named at the
// 100 % box), and the current colour's vector in aqua with its U and V.
// Every point comes from ComputeColorSignals, as on the main window.
#include <string>

#include "app/ColorEntry.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Geometry.h"

namespace tintoral {

class TCanvas;

inline constexpr int kVectorscopeSize = 241;

// The target box's centre, in pixels of the picture, for a colour.
TPoint VectorscopePoint(const TSliderColor& color);

// Draws the whole picture (kVectorscopeSize a side) and returns its rectangle.
TRect DrawVectorscope(TCanvas& canvas, const TSliderColor& current);

// Keeps the picture up to date on one surface: the graticule and the target
// boxes, which never change, are drawn once and copied back before each
// current vector. The pixels are those of DrawVectorscope.
class TVectorscopeSurface {
 public:
  TRect Redraw(TCanvas& canvas, const TSliderColor& current);

 private:
  TBitmap frame_;  // graticule and targets, once drawn
};

}  // namespace tintoral
