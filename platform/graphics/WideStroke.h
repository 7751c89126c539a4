#pragma once
// Geometric (wide) pen strokes: the pixels whose centres lie within half the
// pen width of the path, which gives round ends and round joins. Each pixel is
// handed out once, however many segments cover it, so mix modes such as xor
// apply once per pixel. Centres exactly on the border count on the top and
// left sides only, so a stroke of width w is w pixels across.
#include <span>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "platform/graphics/SpanPainter.h"

namespace tintoral::raster {

// A point in pixel coordinates where (x, y) is the centre of pixel (x, y).
struct PointF {
  double X = 0;
  double Y = 0;
};

std::vector<PointF> ToPointsF(std::span<const TPoint> points);

// Strokes the polyline through path (closed: back to the first point too)
// with a pen of the given width, restricted to clip.
void StrokeWide(std::span<const PointF> path, bool closed, double width, const TRect& clip, SpanSink& sink);

}  // namespace tintoral::raster
