#include "platform/graphics/EllipseRaster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tintoral::raster {
namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

// The value of parity `parity` nearest to v (v >= 0), at least `parity`.
std::int64_t NearestWithParity(double v, std::int64_t parity) {
  const std::int64_t n = parity + 2 * static_cast<std::int64_t>(std::floor((v - parity) / 2 + 0.5));
  return std::max(n, parity);
}

// The largest value of parity `parity` not above v (v >= 0); -1 when none.
std::int64_t FloorWithParity(double v, std::int64_t parity) {
  std::int64_t n = static_cast<std::int64_t>(std::floor(v));
  if ((n - parity) & 1) --n;
  return n < parity ? -1 : n;
}

double PositiveAngle(double angle) {
  angle = std::fmod(angle, TwoPi);
  return angle < 0 ? angle + TwoPi : angle;
}

int ClampToInt(std::int64_t v, int low, int high) { return static_cast<int>(std::clamp<std::int64_t>(v, low, high)); }

// Passes on the outline pixels whose direction from the centre lies in the
// counter-clockwise sweep from startAngle.
class ArcFilter final : public SpanSink {
 public:
  ArcFilter(SpanSink& target, std::int64_t centreX2, std::int64_t centreY2, double startAngle, double sweep)
      : target_(target), centreX2_(centreX2), centreY2_(centreY2), startAngle_(startAngle), sweep_(sweep) {}

  void Span(int y, int x0, int x1) override {
    const double dy = static_cast<double>(2 * std::int64_t{y} - centreY2_);
    for (int x = x0; x < x1; ++x) {
      const double dx = static_cast<double>(2 * std::int64_t{x} - centreX2_);
      if (PositiveAngle(std::atan2(-dy, dx) - startAngle_) <= sweep_) target_.Span(y, x, x + 1);
    }
  }

 private:
  SpanSink& target_;
  std::int64_t centreX2_, centreY2_;
  double startAngle_, sweep_;
};

}  // namespace

EllipseRaster::EllipseRaster(const TRect& box)
    : box_(box),
      centreX2_(std::int64_t{box.Left} + box.Right - 1),
      centreY2_(std::int64_t{box.Top} + box.Bottom - 1),
      a_(std::int64_t{box.Right} - box.Left - 1),
      b_(std::int64_t{box.Bottom} - box.Top - 1) {}

// Half the width of the row at doubled offset y from the centre, doubled.
std::int64_t EllipseRaster::Reach(std::int64_t doubledY) const {
  const std::int64_t ay = doubledY < 0 ? -doubledY : doubledY;
  const std::int64_t parity = a_ & 1;
  const double a = static_cast<double>(a_);
  const double b = static_cast<double>(b_);
  // Steep parts: the column nearest to the curve on this row.
  const double rowRatio = b_ == 0 ? 0.0 : static_cast<double>(ay) / b;
  const std::int64_t byRow =
      std::min(NearestWithParity(a * std::sqrt(std::max(0.0, 1 - rowRatio * rowRatio)), parity), a_);
  // Flat parts: every column whose nearest curve row is this row or further out.
  if (ay <= 1) return a_;
  const double colRatio = static_cast<double>(ay - 1) / b;
  const std::int64_t byColumn = FloorWithParity(a * std::sqrt(std::max(0.0, 1 - colRatio * colRatio)), parity);
  return std::max(byRow, byColumn);
}

EllipseRaster::Span EllipseRaster::RowSpan(std::int64_t y) const {
  if (y < box_.Top || y >= box_.Bottom) return {};
  const std::int64_t reach = Reach(2 * y - centreY2_);
  return {(centreX2_ - reach) / 2, (centreX2_ + reach) / 2};
}

void EllipseRaster::Rasterize(const TRect& clip, SpanSink* outline, SpanSink* interior) const {
  const int first = std::max(box_.Top, clip.Top);
  const int last = std::min(box_.Bottom, clip.Bottom);
  if (first >= last || clip.IsEmpty()) return;
  auto emit = [&](SpanSink* sink, int y, std::int64_t left, std::int64_t right) {
    if (!sink || left > right) return;
    const int x0 = ClampToInt(left, clip.Left, clip.Right);
    const int x1 = ClampToInt(right + 1, clip.Left, clip.Right);
    if (x0 < x1) sink->Span(y, x0, x1);
  };
  Span above = RowSpan(std::int64_t{first} - 1);
  Span row = RowSpan(first);
  for (int y = first; y < last; ++y) {
    const Span below = RowSpan(std::int64_t{y} + 1);
    std::int64_t innerLeft = row.right + 1, innerRight = row.right;  // empty unless both neighbours exist
    if (!above.Empty() && !below.Empty()) {
      innerLeft = std::max({above.left, below.left, row.left + 1});
      innerRight = std::min({above.right, below.right, row.right - 1});
    }
    if (innerLeft > innerRight) {
      emit(outline, y, row.left, row.right);
    } else {
      emit(outline, y, row.left, innerLeft - 1);
      emit(interior, y, innerLeft, innerRight);
      emit(outline, y, innerRight + 1, row.right);
    }
    above = row;
    row = below;
  }
}

void EllipseRaster::RayVector(TPoint p, std::int64_t& dx, std::int64_t& dy) const {
  dx = 2 * std::int64_t{p.X} - centreX2_;
  dy = 2 * std::int64_t{p.Y} - centreY2_;
}

bool EllipseRaster::SameRay(TPoint start, TPoint end) const {
  std::int64_t sx, sy, ex, ey;
  RayVector(start, sx, sy);
  RayVector(end, ex, ey);
  const __int128 cross = static_cast<__int128>(sx) * ey - static_cast<__int128>(sy) * ex;
  const __int128 dot = static_cast<__int128>(sx) * ex + static_cast<__int128>(sy) * ey;
  return cross == 0 && (dot > 0 || (sx == 0 && sy == 0) || (ex == 0 && ey == 0));
}

void EllipseRaster::RasterizeArc(const TRect& clip, TPoint start, TPoint end, SpanSink& outline) const {
  if (SameRay(start, end)) {
    Rasterize(clip, &outline, nullptr);
    return;
  }
  std::int64_t sx, sy, ex, ey;
  RayVector(start, sx, sy);
  RayVector(end, ex, ey);
  const double startAngle = std::atan2(-static_cast<double>(sy), static_cast<double>(sx));
  const double endAngle = std::atan2(-static_cast<double>(ey), static_cast<double>(ex));
  ArcFilter filter(outline, centreX2_, centreY2_, startAngle, PositiveAngle(endAngle - startAngle));
  Rasterize(clip, &filter, nullptr);
}

double EllipseRaster::ParametricAngle(TPoint p, double inset) const {
  const double rx = std::max(a_ / 2.0 - inset, 0.5);
  const double ry = std::max(b_ / 2.0 - inset, 0.5);
  std::int64_t dx, dy;
  RayVector(p, dx, dy);
  return std::atan2(-static_cast<double>(dy) * rx, static_cast<double>(dx) * ry);
}

std::vector<PointF> EllipseRaster::PathBetween(double inset, double startAngle, double sweep) const {
  const double rx = std::max(a_ / 2.0 - inset, 0.0);
  const double ry = std::max(b_ / 2.0 - inset, 0.0);
  const double cx = centreX2_ / 2.0;
  const double cy = centreY2_ / 2.0;
  // About one segment per pixel of curve, within sensible bounds.
  const double length = (rx + ry) * sweep / 2;
  const int segments = static_cast<int>(std::clamp(length, 8.0, 4096.0));
  std::vector<PointF> path;
  path.reserve(segments + 1);
  for (int i = 0; i <= segments; ++i) {
    const double angle = startAngle + sweep * i / segments;
    path.push_back({cx + rx * std::cos(angle), cy - ry * std::sin(angle)});
  }
  return path;
}

std::vector<PointF> EllipseRaster::CurvePath(double inset) const { return PathBetween(inset, 0, TwoPi); }

std::vector<PointF> EllipseRaster::ArcPath(double inset, TPoint start, TPoint end) const {
  if (SameRay(start, end)) return CurvePath(inset);
  const double startAngle = ParametricAngle(start, inset);
  const double sweep = PositiveAngle(ParametricAngle(end, inset) - startAngle);
  return PathBetween(inset, startAngle, sweep);
}

}  // namespace tintoral::raster
