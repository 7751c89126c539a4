#pragma once
// Scan conversion of Ellipse(left, top, right, bottom): the shape covers
// columns left .. right-1 and rows top .. bottom-1 exactly. Each row of the
// shape is one span: the columns whose nearest curve point (as the classic
// midpoint walk picks it) lies on that row or beyond, in the flat parts, and
// the nearest-column rounding of the curve in the steep parts. The outline is
// every shape pixel with a neighbour above, below, left or right outside the
// shape, which is a closed line one pixel thick; the rest is the interior.
#include <cstdint>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "platform/graphics/SpanPainter.h"
#include "platform/graphics/WideStroke.h"

namespace tintoral::raster {

class EllipseRaster {
 public:
  // box must be normalised (Left <= Right, Top <= Bottom) and not empty.
  explicit EllipseRaster(const TRect& box);

  // Outline and interior spans of the rows within clip; either sink may be null.
  void Rasterize(const TRect& clip, SpanSink* outline, SpanSink* interior) const;
  // The outline pixels counter-clockwise (on screen) from the ray centre ->
  // start to the ray centre -> end; equal rays give the whole outline.
  void RasterizeArc(const TRect& clip, TPoint start, TPoint end, SpanSink& outline) const;

  // The curve through the centres of the outermost pixels, shrunk by inset on
  // every side, as a polyline for geometric pens: the whole curve, or the arc
  // between the rays through start and end.
  std::vector<PointF> CurvePath(double inset) const;
  std::vector<PointF> ArcPath(double inset, TPoint start, TPoint end) const;

 private:
  struct Span {
    std::int64_t left = 0, right = -1;  // inclusive; empty when left > right
    bool Empty() const { return left > right; }
  };
  Span RowSpan(std::int64_t y) const;
  std::int64_t Reach(std::int64_t doubledY) const;
  // Ray direction in doubled coordinates from the centre.
  void RayVector(TPoint p, std::int64_t& dx, std::int64_t& dy) const;
  std::vector<PointF> PathBetween(double inset, double startAngle, double sweep) const;
  bool SameRay(TPoint start, TPoint end) const;
  double ParametricAngle(TPoint p, double inset) const;

  TRect box_;
  std::int64_t centreX2_, centreY2_;  // doubled centre: left + right - 1, top + bottom - 1
  std::int64_t a_, b_;                // doubled semi-axes: width - 1, height - 1
};

}  // namespace tintoral::raster
