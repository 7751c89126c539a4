#pragma once
// One-pixel lines: a Bresenham walk from the start point (painted) to the end
// point (not painted), clipped to the bitmap without walking the outside.
#include <cstdint>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/Pen.h"
#include "platform/graphics/RasterOps.h"

namespace tintoral::raster {

// The on/off pattern of a cosmetic pen style; pixel n of a path is painted
// when bit (n mod period) of onBits is set. Period 0 means solid.
struct DashPattern {
  std::uint32_t onBits = 0;
  int period = 0;

  static DashPattern ForStyle(TPenStyle style);
  bool Solid() const { return period == 0; }
};

// Draws the line and advances pathPosition (the dash phase carried from one
// segment of a path to the next) by the number of pixel steps of the line.
void DrawThinLine(TBitmap& surface, TPoint from, TPoint to, const PixelPaint& paint, const DashPattern& dash,
                  std::int64_t& pathPosition);

}  // namespace tintoral::raster
