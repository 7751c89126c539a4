#include "platform/graphics/WideStroke.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tintoral::raster {
namespace {

// Pixel centres are sampled this far right of and below their true position,
// which settles centres exactly on the stroke border (top and left inside).
constexpr double SampleShift = 1.0 / 4096;

struct Interval {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();
  bool Empty() const { return !(low < high); }
  void Include(const Interval& other) {
    if (other.Empty()) return;
    low = std::min(low, other.low);
    high = std::max(high, other.high);
  }
  void Intersect(const Interval& other) {
    low = std::max(low, other.low);
    high = std::min(high, other.high);
  }
};

constexpr Interval Everything{-std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};

// The X with low < slope * X + offset < high.
Interval SolveLinear(double slope, double offset, double low, double high) {
  if (slope == 0) return offset > low && offset < high ? Everything : Interval{};
  double a = (low - offset) / slope;
  double b = (high - offset) / slope;
  if (a > b) std::swap(a, b);
  return {a, b};
}

// The X with |(X, y) - centre| < radius.
Interval DiskRow(PointF centre, double radius, double y) {
  const double dy = y - centre.Y;
  if (std::abs(dy) >= radius) return {};
  const double half = std::sqrt(radius * radius - dy * dy);
  return {centre.X - half, centre.X + half};
}

// The X whose point (X, y) lies within radius of the segment from p to q.
Interval CapsuleRow(PointF p, PointF q, double radius, double y) {
  Interval result = DiskRow(p, radius, y);
  result.Include(DiskRow(q, radius, y));
  const double dx = q.X - p.X;
  const double dy = q.Y - p.Y;
  const double lengthSquared = dx * dx + dy * dy;
  if (lengthSquared == 0) return result;
  const double length = std::sqrt(lengthSquared);
  // Projection onto the segment within [0, length^2], distance from its line below radius.
  Interval slab = SolveLinear(dx, (y - p.Y) * dy - p.X * dx, 0, lengthSquared);
  slab.Intersect(SolveLinear(dy, -p.X * dy - (y - p.Y) * dx, -radius * length, radius * length));
  result.Include(slab);
  return result;
}

struct PixelRun {
  std::int64_t first, last;  // inclusive
};

// Pixels x whose shifted centre x + SampleShift lies inside the open interval.
PixelRun PixelsInside(const Interval& in) {
  return {static_cast<std::int64_t>(std::floor(in.low - SampleShift)) + 1,
          static_cast<std::int64_t>(std::ceil(in.high - SampleShift)) - 1};
}

void EmitMerged(std::vector<PixelRun>& runs, int y, const TRect& clip, SpanSink& sink) {
  std::sort(runs.begin(), runs.end(), [](const PixelRun& a, const PixelRun& b) { return a.first < b.first; });
  auto emit = [&](const PixelRun& run) {
    const auto x0 = std::max<std::int64_t>(run.first, clip.Left);
    const auto x1 = std::min<std::int64_t>(run.last + 1, clip.Right);
    if (x0 < x1) sink.Span(y, static_cast<int>(x0), static_cast<int>(x1));
  };
  PixelRun current = runs.front();
  for (std::size_t i = 1; i < runs.size(); ++i) {
    if (runs[i].first <= current.last + 1) {
      current.last = std::max(current.last, runs[i].last);
    } else {
      emit(current);
      current = runs[i];
    }
  }
  emit(current);
}

}  // namespace

std::vector<PointF> ToPointsF(std::span<const TPoint> points) {
  std::vector<PointF> result;
  result.reserve(points.size());
  for (const TPoint& p : points) result.push_back({static_cast<double>(p.X), static_cast<double>(p.Y)});
  return result;
}

void StrokeWide(std::span<const PointF> path, bool closed, double width, const TRect& clip, SpanSink& sink) {
  if (path.empty() || clip.IsEmpty()) return;
  const double radius = width / 2;
  struct Segment {
    PointF p, q;
    double top, bottom;
  };
  std::vector<Segment> segments;
  const std::size_t count = path.size() == 1 ? 1 : (closed ? path.size() : path.size() - 1);
  for (std::size_t i = 0; i < count; ++i) {
    const PointF p = path[i];
    const PointF q = path[(i + 1) % path.size()];
    segments.push_back({p, q, std::min(p.Y, q.Y) - radius, std::max(p.Y, q.Y) + radius});
  }
  double top = segments.front().top, bottom = segments.front().bottom;
  for (const Segment& s : segments) {
    top = std::min(top, s.top);
    bottom = std::max(bottom, s.bottom);
  }
  const auto firstRow = std::max<double>(std::floor(top - SampleShift) + 1, clip.Top);
  const auto lastRow = std::min<double>(std::ceil(bottom - SampleShift) - 1, clip.Bottom - 1);
  std::vector<PixelRun> runs;
  for (double row = firstRow; row <= lastRow; ++row) {
    const double y = row + SampleShift;
    runs.clear();
    for (const Segment& s : segments) {
      if (y <= s.top || y >= s.bottom) continue;
      const Interval covered = CapsuleRow(s.p, s.q, radius, y);
      if (covered.Empty()) continue;
      const double low = std::max(covered.low, clip.Left - 2.0);
      const double high = std::min(covered.high, clip.Right + 2.0);
      if (low >= high) continue;
      const PixelRun run = PixelsInside({low, high});
      if (run.first <= run.last) runs.push_back(run);
    }
    if (!runs.empty()) EmitMerged(runs, static_cast<int>(row), clip, sink);
  }
}

}  // namespace tintoral::raster
