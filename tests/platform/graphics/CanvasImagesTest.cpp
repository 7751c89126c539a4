#include <gtest/gtest.h>

#include <climits>

#include "CanvasTestSupport.h"

namespace tintoral {
namespace {

using test::AreaPixels;
using test::PixelSet;
using test::Surface;

// A 3 x 2 bitmap: red green blue / yellow black white.
struct SixColours : TBitmap {
  SixColours() : TBitmap(3, 2) {
    SetPixel(0, 0, clRed);
    SetPixel(1, 0, clLime);
    SetPixel(2, 0, clBlue);
    SetPixel(0, 1, clYellow);
    SetPixel(1, 1, clBlack);
    SetPixel(2, 1, clWhite);
  }
};

TEST(CanvasImagesTest, DrawCopiesTheBitmapAtItsPosition) {
  Surface s(10, 10, clGray);
  const SixColours b;
  s.canvas.Draw(4, 5, b);
  EXPECT_EQ(s.At(4, 5), clRed);
  EXPECT_EQ(s.At(6, 5), clBlue);
  EXPECT_EQ(s.At(5, 6), clBlack);
  EXPECT_EQ(s.At(6, 6), clWhite);
  EXPECT_EQ(s.PixelsNot(clGray), AreaPixels(4, 5, 7, 7));
  s.canvas.Draw(-2, -1, b);  // only its lower-right pixel shows
  EXPECT_EQ(s.At(0, 0), clWhite);
  EXPECT_EQ(s.At(1, 0), clGray);
  s.canvas.Draw(9, 9, b);
  EXPECT_EQ(s.At(9, 9), clRed);
}

TEST(CanvasImagesTest, TransparentBitmapsLeaveOutTheirTransparentColour) {
  SixColours b;
  b.SetTransparent(true);  // automatic: the lower-left pixel, yellow
  Surface s(10, 10, clGray);
  s.canvas.Draw(1, 1, b);
  EXPECT_EQ(s.At(1, 2), clGray);
  EXPECT_EQ(s.At(2, 2), clBlack);
  EXPECT_EQ(s.PixelsNot(clGray).size(), 5u);

  b.SetTransparentColor(clLime);
  Surface f(10, 10, clGray);
  f.canvas.Draw(1, 1, b);
  EXPECT_EQ(f.At(2, 1), clGray);
  EXPECT_EQ(f.At(1, 2), clYellow);
  EXPECT_EQ(f.PixelsNot(clGray).size(), 5u);

  b.SetTransparent(false);
  Surface o(10, 10, clGray);
  o.canvas.Draw(1, 1, b);
  EXPECT_EQ(o.PixelsNot(clGray).size(), 6u);
}

TEST(CanvasImagesTest, TransparentSystemColourResolvesToItsRgb) {
  Surface s(6, 6, clGray);
  TBitmap b(2, 1);
  b.SetPixel(0, 0, clBtnFace);
  b.SetPixel(1, 0, clRed);
  b.SetTransparent(true);
  b.SetTransparentColor(clBtnFace);
  s.canvas.Draw(0, 0, b);
  EXPECT_EQ(s.At(0, 0), clGray);
  EXPECT_EQ(s.At(1, 0), clRed);
}

TEST(CanvasImagesTest, StretchDrawScalesByNearestNeighbour) {
  const SixColours b;
  Surface s(12, 12, clGray);
  s.canvas.StretchDraw({0, 0, 6, 4}, b);  // each pixel becomes 2 x 2
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(s.At(x, y), b.Pixel(x / 2, y / 2)) << x << "," << y;
  EXPECT_EQ(s.PixelsNot(clGray), AreaPixels(0, 0, 6, 4));

  Surface down(4, 4, clGray);
  TBitmap big(6, 6);
  big.Canvas().Brush().SetColor(clNavy);
  big.Canvas().FillRect({2, 2, 4, 4});
  down.canvas.StretchDraw({0, 0, 2, 2}, big);  // samples the centres of 3 x 3 cells: (1, 1), (4, 4) ...
  EXPECT_EQ(down.At(0, 0), clWhite);
  Surface third(4, 4, clGray);
  third.canvas.StretchDraw({0, 0, 3, 3}, big);  // samples (1, 1), (3, 3), (5, 5)
  EXPECT_EQ(third.At(1, 1), clNavy);
  EXPECT_EQ(third.At(0, 0), clWhite);
  EXPECT_EQ(third.At(2, 2), clWhite);
}

TEST(CanvasImagesTest, StretchDrawHonoursTransparencyAndClips) {
  SixColours b;
  b.SetTransparent(true);
  Surface s(5, 5, clGray);
  s.canvas.StretchDraw({-3, -2, 9, 6}, b);  // 4 x 4 cells: columns -3..0, 1..4, 5..8; rows -2..1, 2..5
  EXPECT_EQ(s.At(0, 0), clRed);
  EXPECT_EQ(s.At(1, 0), clLime);
  EXPECT_EQ(s.At(4, 1), clLime);
  EXPECT_EQ(s.At(0, 2), clGray);  // the yellow cell is transparent
  EXPECT_EQ(s.At(0, 4), clGray);
  EXPECT_EQ(s.At(1, 2), clBlack);
  EXPECT_EQ(s.At(4, 4), clBlack);
}

TEST(CanvasImagesTest, CopyRectCopiesAndScalesFromAnotherCanvas) {
  Surface source(8, 8, clWhite);
  source.canvas.Brush().SetColor(clPurple);
  source.canvas.FillRect({2, 2, 4, 3});
  Surface s(10, 10, clGray);
  s.canvas.CopyRect({5, 5, 7, 6}, source.canvas, {2, 2, 4, 3});
  EXPECT_EQ(s.PixelsOf(clPurple), AreaPixels(5, 5, 7, 6));
  EXPECT_EQ(s.PixelsNot(clGray), AreaPixels(5, 5, 7, 6));
  s.canvas.CopyRect({0, 0, 4, 4}, source.canvas, {2, 2, 4, 4});  // doubled
  PixelSet purple = AreaPixels(0, 0, 4, 2);                      // source row 2, doubled
  purple.insert({{5, 5}, {6, 5}});
  EXPECT_EQ(s.PixelsOf(clPurple), purple);
  EXPECT_EQ(s.PixelsOf(clWhite), AreaPixels(0, 2, 4, 4));
}

TEST(CanvasImagesTest, CopyRectWithinOneCanvasReadsTheOriginalPixels) {
  Surface s(8, 1, clWhite);
  for (int x = 0; x < 4; ++x) s.bitmap.SetPixel(x, 0, RGB(x * 10, 0, 0));
  s.canvas.CopyRect({1, 0, 5, 1}, s.canvas, {0, 0, 4, 1});
  for (int x = 1; x < 5; ++x) EXPECT_EQ(s.At(x, 0), RGB((x - 1) * 10, 0, 0)) << x;
}

TEST(CanvasImagesTest, SourceAreasOutsideTheSourceLeaveTheTargetAlone) {
  Surface source(4, 4, clRed);
  Surface s(8, 8, clGray);
  s.canvas.CopyRect({0, 0, 8, 8}, source.canvas, {-2, -2, 6, 6});
  EXPECT_EQ(s.PixelsOf(clRed), AreaPixels(2, 2, 6, 6));
  EXPECT_EQ(s.PixelsOf(clGray).size(), 64u - 16u);
}

TEST(CanvasImagesTest, ExtremeAndEmptyPlacementsAreSafe) {
  const SixColours b;
  Surface s(6, 6, clGray);
  s.canvas.Draw(INT_MAX - 1, INT_MAX - 1, b);
  s.canvas.Draw(INT_MIN, INT_MIN, b);
  s.canvas.Draw(INT_MIN + 1, 0, b);
  s.canvas.StretchDraw({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, b);
  EXPECT_EQ(s.At(0, 0), clBlack);  // the middle of the stretched bitmap: column 1, row 1
  s.canvas.StretchDraw({4, 4, 4, 9}, b);
  s.canvas.StretchDraw({4, 4, 2, 2}, b);
  s.canvas.CopyRect({0, 0, 6, 6}, s.canvas, {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  s.canvas.CopyRect({0, 0, 6, 6}, s.canvas, {3, 3, 3, 3});
  s.canvas.Draw(0, 0, TBitmap());
  TBitmap empty;
  empty.Canvas().Draw(0, 0, b);
  EXPECT_TRUE(empty.Empty());
}

TEST(CanvasDeviceTest, PixelsPointVisibilityAndTechnology) {
  Surface s(5, 4, clGray);
  s.canvas.SetPixel(1, 2, clBtnShadow);
  EXPECT_EQ(s.canvas.Pixel(1, 2), 0x808080);
  EXPECT_EQ(s.canvas.Pixel(5, 0), clNone);
  s.canvas.SetPixel(-1, 0, clRed);
  EXPECT_TRUE(s.PixelsOf(clRed).empty());

  EXPECT_TRUE(s.canvas.PointVisible(4, 3));
  EXPECT_FALSE(s.canvas.PointVisible(5, 3));
  EXPECT_FALSE(s.canvas.PointVisible(-1, 0));
  s.canvas.SetVisibilityTest([](int x, int) { return x < 2; });
  EXPECT_TRUE(s.canvas.PointVisible(1, 0));
  EXPECT_FALSE(s.canvas.PointVisible(2, 0));
  EXPECT_FALSE(s.canvas.PointVisible(-5, 0));

  EXPECT_EQ(s.canvas.DeviceTechnology(), DT_RASDISPLAY);
  s.canvas.SetDeviceTechnology(DT_METAFILE);
  EXPECT_EQ(s.canvas.DeviceTechnology(), 5);
}

}  // namespace
}  // namespace tintoral
