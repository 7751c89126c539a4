// The run-length copy puts back exactly the source's pixels of the asked
// area, clipped to both bitmaps, and leaves every other pixel alone.
#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/RunLengthImage.h"

namespace tintoral {
namespace {

TEST(RunLengthImageTest, CopiesBackTheAskedAreaPixelForPixel) {
  TBitmap source(23, 17);
  TCanvas& canvas = source.Canvas();
  canvas.Brush().SetColor(clBlack);
  canvas.FillRect({0, 0, 23, 17});
  canvas.Pen().SetColor(clLime);
  canvas.Ellipse(2, 1, 21, 16);
  canvas.MoveTo(11, 0);
  canvas.LineTo(11, 17);
  source.SetPixel(22, 16, clRed);  // a run of one at the last pixel
  const TRunLengthImage image(source);
  ASSERT_EQ(image.Width(), 23);
  ASSERT_EQ(image.Height(), 17);

  const TRect areas[] = {{0, 0, 23, 17}, {5, 3, 12, 9}, {-4, -2, 3, 40}, {20, 15, 30, 30}, {7, 7, 7, 9}};
  for (const TRect& area : areas) {
    TBitmap target(25, 20);
    target.Fill(clYellow);
    image.CopyTo(target, area);
    for (int y = 0; y < target.Height(); ++y)
      for (int x = 0; x < target.Width(); ++x) {
        const bool inside = x >= area.Left && x < area.Right && y >= area.Top && y < area.Bottom;
        const TColor expected = inside && x < 23 && y < 17 ? source.Pixel(x, y) : clYellow;
        ASSERT_EQ(target.Pixel(x, y), expected) << "area " << area.Left << "," << area.Top << " at " << x << "," << y;
      }
  }
}

}  // namespace
}  // namespace tintoral
