#pragma once
// Scan conversion of polygon interiors by the alternate (even-odd) rule: a
// pixel belongs to the inside when its centre does, with left edges inclusive
// and right edges exclusive (and likewise top and bottom), so polygons that
// share an edge never share a pixel.
#include <span>

#include "platform/graphics/Geometry.h"
#include "platform/graphics/SpanPainter.h"

namespace tintoral::raster {

// Hands the inside of the closed polygon through points to sink, restricted to
// the rows of clip (spans are clamped to its columns).
void FillPolygonEvenOdd(std::span<const TPoint> points, const TRect& clip, SpanSink& sink);

}  // namespace tintoral::raster
