#include "instruments/base/ScaleMap.h"

#include <algorithm>
#include <cmath>

#include "platform/window/Control.h"

namespace tintoral {

std::int32_t TScaleMap::ValueToPixel(double value) const {
  if (max == min) return ClampCoordinate((minPixel + maxPixel) / 2);
  // In long double, so that a pixel span up to the coordinate limit keeps every pixel.
  const long double fraction = (static_cast<long double>(value) - min) / (static_cast<long double>(max) - min);
  const long double k = std::nearbyint(fraction * static_cast<long double>(maxPixel - minPixel));
  if (std::isnan(k)) return ClampCoordinate(minPixel);
  const long double limit = kCoordinateLimit;
  return ClampCoordinate(minPixel + static_cast<std::int64_t>(std::clamp(k, -4 * limit, 4 * limit)));
}

double TScaleMap::PixelToValue(double pixel, double fallback) const {
  if (maxPixel == minPixel) return fallback;
  const double fraction = (pixel - static_cast<double>(minPixel)) / static_cast<double>(maxPixel - minPixel);
  return min + (max - min) * std::clamp(fraction, 0.0, 1.0);
}

double TScaleMap::ValueChange(double pixels) const {
  return pixels / static_cast<double>(maxPixel - minPixel) * (max - min);
}

}  // namespace tintoral
