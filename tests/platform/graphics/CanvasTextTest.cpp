#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FontResolver.h"
#include "tests/platform/graphics/TextPixels.h"

namespace tintoral {
namespace {

using testing::Inside;
using testing::PrepareTextCanvas;
using testing::RegionNot;
using testing::RegionOf;

class CanvasTextTest : public testing::TextCanvasTest {
 protected:
  CanvasTextTest() : TextCanvasTest(200, 60) {}
};

TEST_F(CanvasTextTest, MeasuresWidthsAndCellHeight) {
  EXPECT_EQ(canvas.TextWidth(""), 0);
  EXPECT_EQ(canvas.TextWidth("100"), canvas.TextWidth("1") + 2 * canvas.TextWidth("0")) << "no kerning";
  EXPECT_GT(canvas.TextWidth("Luminancia"), canvas.TextWidth("Lumin"));
  const int cell = canvas.TextHeight("x");
  EXPECT_EQ(canvas.TextHeight(""), cell);
  EXPECT_EQ(canvas.TextHeight("ÁÉ gjpq"), cell);
  EXPECT_EQ(canvas.TextExtent("R-Y = 0,70"), (TSize{canvas.TextWidth("R-Y = 0,70"), cell}));
  canvas.Font().SetHeight(-16);
  EXPECT_GT(canvas.TextHeight("x"), cell);
}

TEST_F(CanvasTextTest, ClearBrushDrawsOnlyGlyphsInsideTheCell) {
  canvas.Font().SetColor(clNavy);
  const std::string text = "Luminancia 100";
  canvas.TextOut(10, 20, text);
  const TSize extent = canvas.TextExtent(text);
  const auto ink = RegionNot(bitmap, clWhite);
  EXPECT_GT(ink.count, 30);
  EXPECT_EQ(RegionOf(bitmap, clNavy).count, ink.count) << "glyph pixels are in the font colour only";
  EXPECT_TRUE(Inside(ink.bounds, {10, 20, 10 + extent.Width, 20 + extent.Height}));
  EXPECT_GE(ink.bounds.Right, 10 + extent.Width - 3) << "the drawn text spans its measured width";
  EXPECT_LE(ink.bounds.Left, 11);
  EXPECT_EQ(canvas.PenPos(), (TPoint{10 + extent.Width, 20}));
}

TEST_F(CanvasTextTest, SolidBrushFillsTheCellFirst) {
  canvas.Font().SetColor(clAqua);
  canvas.Brush().SetColor(clBlack);
  canvas.TextOut(5, 18, "Mod:");
  const TSize extent = canvas.TextExtent("Mod:");
  const TRect cell{5, 18, 5 + extent.Width, 18 + extent.Height};
  const auto changed = RegionNot(bitmap, clWhite);
  EXPECT_EQ(changed.bounds, cell);
  EXPECT_EQ(changed.count, extent.Width * extent.Height);
  EXPECT_EQ(RegionOf(bitmap, clBlack).count + RegionOf(bitmap, clAqua).count, changed.count);
  EXPECT_GT(RegionOf(bitmap, clAqua).count, 10);
}

TEST_F(CanvasTextTest, SystemColoursResolveAtDrawingTime) {
  canvas.Font().SetColor(clBtnShadow);
  canvas.TextOut(0, 0, "Y");
  EXPECT_GT(RegionOf(bitmap, 0x808080).count, 0);
  SystemColors::Set(COLOR_BTNSHADOW, 0x0000FF);
  canvas.TextOut(20, 0, "Y");
  EXPECT_GT(RegionOf(bitmap, 0x0000FF).count, 0);
}

TEST_F(CanvasTextTest, WindowsBytesSelectTheirGlyphs) {
  // 0xF3 is "ó": an "o" with an accent above it, and as wide as "ó" in the font.
  canvas.TextOut(0, 0, "o");
  const auto plain = RegionNot(bitmap, clWhite);
  TBitmap other(200, 60);
  PrepareTextCanvas(other);
  other.Canvas().TextOut(0, 0, "\xF3");
  const auto accented = RegionNot(other, clWhite);
  EXPECT_LT(accented.bounds.Top, plain.bounds.Top - 1);
  EXPECT_EQ(accented.bounds.Bottom, plain.bounds.Bottom);
  EXPECT_EQ(canvas.TextWidth("\xF3"), canvas.TextWidth("o"));
  EXPECT_GT(canvas.TextWidth("\x80"), 0) << "the euro sign has a glyph";
}

TEST_F(CanvasTextTest, UnderlineAndStrikeOutSpanTheText) {
  const auto lineRows = [&](TFontStyles style) {
    bitmap.Canvas().Brush().SetColor(clWhite);
    bitmap.Canvas().FillRect({0, 0, 200, 60});
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetStyle(style);
    canvas.TextOut(10, 10, "ab cd");
    const int width = canvas.TextWidth("ab cd");
    int fullRows = 0;
    for (int y = 0; y < 60; ++y) {
      bool full = true;
      for (int x = 10; x < 10 + width; ++x) full = full && bitmap.Pixel(x, y) == clBlack;
      fullRows += full ? 1 : 0;
    }
    return fullRows;
  };
  EXPECT_EQ(lineRows(0), 0);
  EXPECT_GE(lineRows(FontStyleBit(fsUnderline)), 1);
  EXPECT_GE(lineRows(FontStyleBit(fsStrikeOut)), 1);
  EXPECT_GE(lineRows(FontStyleBit(fsUnderline) | FontStyleBit(fsStrikeOut)), 2);
}

TEST_F(CanvasTextTest, TextIsClippedToTheBitmap) {
  canvas.Brush().SetColor(clRed);
  canvas.TextOut(-7, -5, "Luminancia");
  canvas.TextOut(190, 55, "Luminancia");
  canvas.TextOut(-5000, 5000, "Luminancia");
  const auto red = RegionOf(bitmap, clRed);
  EXPECT_EQ(red.bounds.Left, 0);
  EXPECT_EQ(red.bounds.Top, 0);
  EXPECT_EQ(red.bounds.Right, 200);
  EXPECT_EQ(red.bounds.Bottom, 60);
}

TEST_F(CanvasTextTest, DrawingNotifiesTheBitmap) {
  int changes = 0;
  bitmap.SetOnChange([&] { ++changes; });
  canvas.TextOut(0, 0, "1");
  EXPECT_EQ(changes, 1);
  std::string text = "1";
  TRect rect{0, 0, 50, 20};
  canvas.DrawText(text, rect, 0);
  EXPECT_EQ(changes, 2);
  canvas.DrawText(text, rect, DrawTextFlag::Calculate);
  EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace tintoral
