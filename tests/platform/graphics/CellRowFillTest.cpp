// A row of cells filled straight into the bitmap leaves exactly what one
// FillRect per painted cell leaves, wherever the row is cut by the edges.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "CanvasTestSupport.h"
#include "platform/graphics/CellRowFill.h"

namespace tintoral {
namespace {

using raster::CellRowPlace;
using test::SameWindow;
using test::Surface;

constexpr TColor Colors[] = {clRed, clLime, clBlue, clAqua, clBtnFace};

TEST(CellRowFill, EachPaintedCellIsItsFillRectClippedToTheBitmap) {
  const CellRowPlace places[] = {
      {1, 3, 2, 2, 3},     // the last one cut by a pixel at the right
      {-1, 3, 2, 2, 3},    // the first one cut by a pixel at the left
      {-4, -1, 2, 2, 3},   // cut at the left and the top
      {5, 14, 3, 4, 3},    // touching cells, cut at the bottom
      {-1, 0, 1, 1, 2},    // one-pixel cells
      {-3, 2, 5, 3, 7},    // wider than the constant widths, cut at both sides
      {-40, -9, 4, 4, 6},  // above the bitmap: nothing
      {20, 0, 2, 2, 3},    // right of the bitmap: nothing
  };
  for (const CellRowPlace& place : places) {
    std::vector<std::uint32_t> pixels;
    Surface expected(20, 16), actual(20, 16);
    for (int i = 0; i < 8; ++i) {
      if (i % 3 == 2) {  // every third cell left alone
        pixels.push_back(raster::kCellLeftAlone);
        continue;
      }
      const TColor color = Colors[i % 5];
      pixels.push_back(RGBToPixel(ColorToRGB(color)));
      const auto left = static_cast<int>(place.Left + i * place.Pitch), top = static_cast<int>(place.Top);
      expected.canvas.Brush().SetColor(color);
      expected.canvas.FillRect({left, top, left + static_cast<int>(place.Width), top + static_cast<int>(place.Height)});
    }
    raster::FillCellRow(actual.bitmap, place, pixels);
    EXPECT_TRUE(SameWindow(expected.bitmap, actual.bitmap, 0, 0)) << place.Left << "," << place.Top;
  }
}

}  // namespace
}  // namespace tintoral
