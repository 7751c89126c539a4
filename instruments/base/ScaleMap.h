#pragma once
// TScaleMap: the linear map between values and pixels along a scale, in
// both directions, shared by a scale's ticks and the pointers drawn on it.
//
// `min` sits on `minPixel` and `max` on `maxPixel`; either end may be the
// larger (a reversed scale swaps the pixels, crossed limits the values).
// The rounding rules, once for every user:
// - value → pixel rounds to the nearest pixel (ties to even); values outside
//   the range run on beyond the ends, held to ±kCoordinateLimit. Equal
//   limits map to the middle pixel, NaN to minPixel.
// - pixel → value is exact, in proportion, and stays within the range:
//   pixels beyond either end give that end's value. Without any pixels
//   between the ends there is no value to give: `fallback` is returned.
// - a pixel distance → value change is exact and unbounded, signed as the
//   map runs (a distance towards maxPixel is a change towards max).
#include <cstdint>

namespace tintoral {

struct TScaleMap {
  double min = 0;
  double max = 0;
  std::int64_t minPixel = 0;
  std::int64_t maxPixel = 0;

  // The same values over the pixels in the opposite direction.
  TScaleMap Reversed() const { return {min, max, maxPixel, minPixel}; }
  std::int32_t ValueToPixel(double value) const;
  double PixelToValue(double pixel, double fallback) const;
  double ValueChange(double pixels) const;
};

}  // namespace tintoral
