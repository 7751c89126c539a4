#pragma once
// A square RGBA picture painted by coverage: every shape is given as a signed
// distance (negative inside) in design units, 256 across the picture,
// whatever its pixel size. Each pixel samples the shape on a 4 × 4 grid and
// lays the colour over what is there (straight "over" in sRGB values, as icon
// editors do). The result is deterministic for a given size.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tintoral {

struct IconColor {
  float r = 0, g = 0, b = 0, a = 1;  // sRGB values and opacity, 0 … 1
};

// Signed distance of a design-unit point from a shape's edge: negative inside.
using IconShape = std::function<float(float x, float y)>;
// The colour of a shape at a design-unit point (for gradients).
using IconPaint = std::function<IconColor(float x, float y)>;

class IconRaster {
 public:
  static constexpr float kDesignUnits = 256.0f;

  explicit IconRaster(int size);

  int Size() const { return size_; }
  // Design units per pixel: strokes and dots use it to stay at least a pixel wide.
  float UnitsPerPixel() const { return kDesignUnits / static_cast<float>(size_); }

  void Fill(const IconShape& shape, const IconPaint& paint);
  void Fill(const IconShape& shape, IconColor color);

  // 8-bit RGBA PNG with an sRGB chunk and no time chunk, written as SavePngBytes
  // writes; raises its errors.
  void SavePng(const std::string& path) const;

 private:
  void Blend(int x, int y, IconColor color, float coverage);

  int size_;
  std::vector<IconColor> pixels_;  // straight (not premultiplied) alpha
};

}  // namespace tintoral
