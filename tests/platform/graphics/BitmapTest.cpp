#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

TEST(BitmapTest, NewBitmapIsWhite) {
  TBitmap bitmap(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(bitmap.Pixel(x, y), clWhite);
  EXPECT_EQ(bitmap.ScanLine(1)[2], 0xFFFFFFFFu);
  EXPECT_TRUE(TBitmap().Empty());
}

TEST(BitmapTest, ResizingKeepsFittingPixelsAndPaintsNewOnesWhite) {
  TBitmap bitmap(3, 3);
  bitmap.SetPixel(0, 0, clRed);
  bitmap.SetPixel(2, 2, clBlue);
  bitmap.SetPixel(1, 0, clLime);
  bitmap.SetSize(2, 4);
  EXPECT_EQ(bitmap.Pixel(0, 0), clRed);
  EXPECT_EQ(bitmap.Pixel(1, 0), clLime);
  EXPECT_EQ(bitmap.Pixel(1, 2), clWhite);  // was inside, untouched
  EXPECT_EQ(bitmap.Pixel(0, 3), clWhite);  // new row
  EXPECT_EQ(bitmap.Pixel(2, 2), clNone);   // cut off
  bitmap.SetWidth(3);
  EXPECT_EQ(bitmap.Pixel(2, 2), clWhite);  // cut-off pixels do not come back
  bitmap.SetHeight(-4);
  EXPECT_EQ(bitmap.Height(), 0);
  EXPECT_TRUE(bitmap.Empty());
}

TEST(BitmapTest, PixelsOutsideAreNoneAndWritesThereAreIgnored) {
  TBitmap bitmap(2, 2);
  bitmap.SetPixel(-1, 0, clBlack);
  bitmap.SetPixel(2, 0, clBlack);
  bitmap.SetPixel(0, 2, clBlack);
  EXPECT_EQ(bitmap.Pixel(-1, 0), clNone);
  EXPECT_EQ(bitmap.Pixel(0, 2), clNone);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(bitmap.Pixel(x, y), clWhite);
}

TEST(BitmapTest, SetPixelResolvesSystemColours) {
  SystemColors::ResetToClassic();
  TBitmap bitmap(1, 1);
  bitmap.SetPixel(0, 0, clBtnShadow);
  EXPECT_EQ(bitmap.Pixel(0, 0), 0x808080);
}

TEST(BitmapTest, TransparentColourIsTheLowerLeftPixelUntilFixed) {
  TBitmap bitmap(3, 3);
  bitmap.SetPixel(0, 2, clFuchsia);
  EXPECT_EQ(bitmap.TransparentMode(), tmAuto);
  EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
  bitmap.SetPixel(0, 2, clLime);
  EXPECT_EQ(bitmap.TransparentColor(), clLime);
  bitmap.SetTransparentColor(clRed);
  EXPECT_EQ(bitmap.TransparentMode(), tmFixed);
  EXPECT_EQ(bitmap.TransparentColor(), clRed);
  bitmap.SetTransparentMode(tmAuto);
  EXPECT_EQ(bitmap.TransparentColor(), clLime);
}

TEST(BitmapTest, ChangesNotifyOnlyWhenSomethingChanged) {
  TBitmap bitmap(2, 2);
  int changes = 0;
  bitmap.SetOnChange([&] { ++changes; });
  bitmap.SetSize(2, 2);
  bitmap.SetTransparent(false);
  EXPECT_EQ(changes, 0);
  bitmap.SetSize(3, 2);
  bitmap.SetTransparent(true);
  bitmap.Canvas().FillRect({0, 0, 1, 1});
  EXPECT_EQ(changes, 3);
}

TEST(BitmapTest, AssignCopiesSizePixelsAndTransparency) {
  TBitmap source(4, 3);
  source.SetPixel(3, 2, clNavy);
  source.SetTransparent(true);
  source.SetTransparentColor(clNavy);
  TBitmap copy(1, 1);
  copy.Assign(source);
  EXPECT_EQ(copy.Width(), 4);
  EXPECT_EQ(copy.Height(), 3);
  EXPECT_EQ(copy.Pixel(3, 2), clNavy);
  EXPECT_TRUE(copy.Transparent());
  EXPECT_EQ(copy.TransparentColor(), clNavy);
  source.SetPixel(0, 0, clRed);
  EXPECT_EQ(copy.Pixel(0, 0), clWhite);  // a copy, not shared
}

TEST(BitmapTest, WrappedImageSharesThePixels) {
  TBitmap bitmap(5, 4);
  QImage image = bitmap.WrapAsImage();
  ASSERT_EQ(image.format(), QImage::Format_RGB32);
  ASSERT_EQ(image.size(), QSize(5, 4));
  image.setPixel(2, 1, qRgb(0x12, 0x34, 0x56));
  EXPECT_EQ(bitmap.Pixel(2, 1), RGB(0x12, 0x34, 0x56));
  bitmap.SetPixel(4, 3, clRed);
  EXPECT_EQ(static_cast<const TBitmap&>(bitmap).WrapAsImage().pixel(4, 3), qRgb(255, 0, 0));
  EXPECT_TRUE(TBitmap().WrapAsImage().isNull());
}

TEST(BitmapTest, CanvasIsCreatedOnceAndDrawsOnTheBitmap) {
  TBitmap bitmap(4, 4);
  TCanvas& canvas = bitmap.Canvas();
  EXPECT_EQ(&canvas, &bitmap.Canvas());
  EXPECT_EQ(&canvas.Target(), &bitmap);
  canvas.SetPixel(1, 1, clGreen);
  EXPECT_EQ(bitmap.Pixel(1, 1), clGreen);
}

// Two bitmaps taking turns with one block: each keeps its own canvas, sees
// what the block held (white where it grew), and Fill stays within the
// bitmap's own size although the block is larger.
TEST(BitmapTest, BorrowedPixelsPassBetweenBitmapsAndKeepEachCanvas) {
  std::vector<std::uint32_t> storage;
  TBitmap large, small;
  large.Canvas().Pen().SetColor(clRed);
  large.BorrowPixels(storage, 4, 3);
  EXPECT_TRUE(storage.empty());
  EXPECT_EQ(large.Pixel(3, 2), clWhite);
  large.SetPixel(1, 0, clNavy);
  large.ReturnPixels(storage);
  EXPECT_TRUE(large.Empty());
  EXPECT_EQ(storage.size(), 12u);

  small.BorrowPixels(storage, 2, 2);
  EXPECT_EQ(small.Pixel(1, 0), clNavy);  // left by the other bitmap
  small.Fill(clLime);
  TBitmap copy;
  copy.Assign(small);
  small.ReturnPixels(storage);
  EXPECT_EQ(storage[4], RGBToPixel(ColorToRGB(clWhite)));  // beyond the 2 x 2 pixels: not filled
  EXPECT_EQ(copy.Pixel(1, 1), clLime);
  EXPECT_EQ(copy.Width(), 2);

  small.ReturnPixels(storage);  // nothing borrowed: the storage stays
  EXPECT_EQ(storage.size(), 12u);
  EXPECT_EQ(large.Canvas().Pen().Color(), clRed);
  EXPECT_THROW(large.BorrowPixels(storage, kMaxBitmapSide + 1, 1), GraphicsError);
  EXPECT_EQ(storage.size(), 12u);
}

}  // namespace
}  // namespace tintoral
