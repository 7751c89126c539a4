#include "platform/graphics/ThinLine.h"

#include <algorithm>
#include <initializer_list>
#include <limits>

namespace tintoral::raster {
namespace {

DashPattern MakeDash(std::initializer_list<int> runs) {
  DashPattern dash;
  bool on = true;
  for (int run : runs) {
    for (int i = 0; i < run; ++i, ++dash.period)
      if (on) dash.onBits |= 1u << dash.period;
    on = !on;
  }
  return dash;
}

// A line in major/minor axis terms: the major axis is the one with the larger
// extent and advances by one every step; the minor one advances when the
// rounded position i * minorLength / steps moves on (halves round toward the
// start point).
struct LineWalk {
  bool xMajor;
  std::int64_t steps;        // pixels painted: the major length
  std::int64_t minorLength;  // minor extent
  std::int64_t majorStart, minorStart;
  int majorSign, minorSign;
  int majorLimit, minorLimit;             // surface extent along each axis
  std::int64_t majorStride, minorStride;  // index change per step

  // The steps [first, last) whose major coordinate lies on the surface.
  void ClipMajor(std::int64_t& first, std::int64_t& last) const {
    if (majorSign > 0) {
      first = std::max<std::int64_t>(0, -majorStart);
      last = std::min<std::int64_t>(steps, majorLimit - majorStart);
    } else {
      first = std::max<std::int64_t>(0, majorStart - majorLimit + 1);
      last = std::min<std::int64_t>(steps, majorStart + 1);
    }
  }
};

LineWalk MakeWalk(TPoint from, TPoint to, int width, int height) {
  const std::int64_t dx = std::int64_t{to.X} - from.X;
  const std::int64_t dy = std::int64_t{to.Y} - from.Y;
  const int xSign = dx < 0 ? -1 : 1;
  const int ySign = dy < 0 ? -1 : 1;
  const std::int64_t adx = dx < 0 ? -dx : dx;
  const std::int64_t ady = dy < 0 ? -dy : dy;
  if (adx >= ady)
    return {true, adx, ady, from.X, from.Y, xSign, ySign, width, height, xSign, std::int64_t{ySign} * width};
  return {false, ady, adx, from.Y, from.X, ySign, xSign, height, width, std::int64_t{ySign} * width, xSign};
}

template <class Op>
void Walk(const LineWalk& w, std::uint32_t* pixels, const Op& op, const DashPattern& dash, std::int64_t pathPosition) {
  std::int64_t first, last;
  w.ClipMajor(first, last);
  if (first >= last) return;
  // Minor offset k after i steps: floor((2 i m + n - 1) / 2n), kept as k and a remainder.
  const std::int64_t denominator = 2 * w.steps;
  const __int128 numerator = static_cast<__int128>(2 * first) * w.minorLength + w.steps - 1;
  std::int64_t k, remainder;
  if (numerator <= std::numeric_limits<std::int64_t>::max()) {  // 64 bits: no library call
    k = static_cast<std::int64_t>(numerator) / denominator;
    remainder = static_cast<std::int64_t>(numerator) % denominator;
  } else {
    k = static_cast<std::int64_t>(numerator / denominator);
    remainder = static_cast<std::int64_t>(numerator % denominator);
  }
  const std::int64_t increment = 2 * w.minorLength;

  std::int64_t minor = w.minorStart + w.minorSign * k;
  std::int64_t major = w.majorStart + w.majorSign * first;
  std::int64_t index = w.xMajor ? minor * w.majorLimit + major : major * w.minorLimit + minor;
  int phase = dash.Solid() ? 0 : static_cast<int>((pathPosition + first) % dash.period);

  for (std::int64_t i = first; i < last; ++i) {
    if (minor >= 0 && minor < w.minorLimit) {
      if (dash.Solid() || (dash.onBits >> phase) & 1u) op(pixels[index]);
    } else if ((minor < 0) == (w.minorSign < 0)) {
      break;  // moving further away from the surface
    }
    if (!dash.Solid() && ++phase == dash.period) phase = 0;
    index += w.majorStride;
    remainder += increment;
    if (remainder >= denominator) {
      remainder -= denominator;
      minor += w.minorSign;
      index += w.minorStride;
    }
  }
}

}  // namespace

DashPattern DashPattern::ForStyle(TPenStyle style) {
  switch (style) {
    case psDash: return MakeDash({18, 6});
    case psDot: return MakeDash({3, 3});
    case psDashDot: return MakeDash({9, 6, 3, 6});
    case psDashDotDot: return MakeDash({9, 3, 3, 3, 3, 3});
    default: return {};
  }
}

void DrawThinLine(TBitmap& surface, TPoint from, TPoint to, const PixelPaint& paint, const DashPattern& dash,
                  std::int64_t& pathPosition) {
  const LineWalk walk = MakeWalk(from, to, surface.Width(), surface.Height());
  if (walk.steps == 0) return;
  if (!surface.Empty()) {
    std::uint32_t* pixels = surface.ScanLine(0);
    WithPixelOp(paint, [&](const auto& op) { Walk(walk, pixels, op, dash, pathPosition); });
  }
  pathPosition += walk.steps;
}

}  // namespace tintoral::raster
