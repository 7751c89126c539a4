#pragma once
// Region checks for text tests: where pixels of a colour (or any change from
// a background) lie on a bitmap; and the text tests' fixture.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Geometry.h"

namespace tintoral::testing {

struct Region {
  TRect bounds{0, 0, 0, 0};  // empty when count is 0
  int count = 0;
};

template <typename Predicate>
Region RegionWhere(const TBitmap& bitmap, Predicate matches) {
  Region region;
  TRect& b = region.bounds;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (!matches(bitmap.Pixel(x, y))) continue;
      if (region.count++ == 0) b = {x, y, x + 1, y + 1};
      b = {std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1), std::max(b.Bottom, y + 1)};
    }
  return region;
}

inline Region RegionOf(const TBitmap& bitmap, TColor color) {
  return RegionWhere(bitmap, [color](TColor c) { return c == color; });
}

inline Region RegionNot(const TBitmap& bitmap, TColor background) {
  return RegionWhere(bitmap, [background](TColor c) { return c != background; });
}

inline bool Inside(const TRect& inner, const TRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

// A white bitmap whose canvas draws black text in `name` at `height` with a
// clear brush.
inline void PrepareTextCanvas(TBitmap& bitmap, const char* name = "MS Sans Serif", int height = -11) {
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font().SetName(name);
  canvas.Font().SetHeight(height);
  canvas.Font().SetColor(clBlack);
  canvas.Font().SetStyle(0);
  canvas.Brush().SetStyle(bsClear);
}

// A bitmap of the given size prepared for text, in the classic system colours.
class TextCanvasTest : public ::testing::Test {
 protected:
  TextCanvasTest(int width, int height) : bitmap(width, height) {}
  void SetUp() override {
    SystemColors::ResetToClassic();
    PrepareTextCanvas(bitmap);
  }

  TBitmap bitmap;
  TCanvas& canvas = bitmap.Canvas();
};

}  // namespace tintoral::testing
