#include <gtest/gtest.h>

#include "platform/window/ButtonPainting.h"
#include "tests/platform/graphics/CanvasTestSupport.h"
#include "tests/platform/graphics/TextPixels.h"
#include "tests/platform/window/StandardControlsTestSupport.h"

namespace tintoral {
namespace {

using test::AreaPixels;
using test::CheckRing;
using test::PixelSet;
using test::Surface;

constexpr TColor kPaper = 0x123456;
constexpr TColor kGrey = 0x404040;

// Two 16 × 16 images on olive: a red square (enabled) and a grey one
// (disabled), both at 4..11 × 4..11 of their image.
void MakeGlyph(TBitmap& glyph) {
  glyph.SetSize(32, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool square = (x % 16) >= 4 && (x % 16) < 12 && y >= 4 && y < 12;
      glyph.SetPixel(x, y, square ? (x < 16 ? clRed : kGrey) : clOlive);
    }
}

PixelSet Shifted(const PixelSet& set, int dx, int dy) {
  PixelSet result;
  for (const auto& [x, y] : set) result.insert({x + dx, y + dy});
  return result;
}

struct SpeedButtonPaint : ::testing::Test {
  TBitmap glyph;
  SpeedButtonLook look;
  SpeedButtonPaint() {
    MakeGlyph(glyph);
    look.flat = true;
    look.glyph = &glyph;
    look.numGlyphs = 2;
  }
  // Paints a 23 × 22 button, the size of the main window's question mark.
  void Paint(Surface& s) { PaintSpeedButton(s.canvas, {0, 0, 23, 22}, look); }
};

TEST_F(SpeedButtonPaint, FlatGlyphIsCentredAndItsLowerLeftColourTransparent) {
  Surface s(23, 22, kPaper);
  Paint(s);
  // Face 21 × 20 inside the 1-pixel frame place: glyph at (1 + 3, 1 + 2).
  EXPECT_EQ(s.PixelsOf(clRed), AreaPixels(8, 7, 16, 15));
  EXPECT_EQ(s.PixelsOf(clOlive), PixelSet{});
  EXPECT_EQ(s.PixelsNot(kPaper), AreaPixels(8, 7, 16, 15));  // flat and not hovered: no frame
}

TEST_F(SpeedButtonPaint, HoverRaisesAndPressSinksAndShiftsTheGlyph) {
  Surface hover(23, 22, kPaper);
  look.mouseInControl = true;
  Paint(hover);
  EXPECT_EQ(CheckRing(hover.bitmap, {0, 0, 23, 22}, clBtnHighlight, clBtnShadow), "");
  EXPECT_EQ(hover.PixelsOf(clRed), AreaPixels(8, 7, 16, 15));

  Surface down(23, 22, kPaper);
  look.state = bsDown;
  Paint(down);
  EXPECT_EQ(CheckRing(down.bitmap, {0, 0, 23, 22}, clBtnShadow, clBtnHighlight), "");
  EXPECT_EQ(down.PixelsOf(clRed), AreaPixels(9, 8, 17, 16));
}

TEST_F(SpeedButtonPaint, DisabledShowsTheSecondImage) {
  Surface s(23, 22, kPaper);
  look.state = bsDisabled;
  look.mouseInControl = true;  // a disabled button does not light up
  Paint(s);
  EXPECT_EQ(s.PixelsOf(kGrey), AreaPixels(8, 7, 16, 15));
  EXPECT_EQ(s.PixelsNot(kPaper), AreaPixels(8, 7, 16, 15));
}

TEST_F(SpeedButtonPaint, DisabledWithoutSecondImageIsEmbossed) {
  TBitmap single;
  single.SetSize(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) single.SetPixel(x, y, glyph.Pixel(x, y));
  look.glyph = &single;
  look.numGlyphs = 1;
  look.state = bsDisabled;
  Surface s(23, 22, kPaper);
  Paint(s);
  const PixelSet square = AreaPixels(8, 7, 16, 15);
  PixelSet highlight;
  for (const auto& p : Shifted(square, 1, 1))
    if (!square.count(p)) highlight.insert(p);
  EXPECT_EQ(s.PixelsOf(0x808080), square);
  EXPECT_EQ(s.PixelsOf(0xFFFFFF), highlight);
  EXPECT_EQ(s.PixelsOf(clRed), PixelSet{});
}

TEST_F(SpeedButtonPaint, NonFlatButtonHasARaisedFaceAndASunkenOneWhenDown) {
  look.flat = false;
  Surface up(23, 22, kPaper);
  Paint(up);
  EXPECT_EQ(CheckRing(up.bitmap, {0, 0, 23, 22}, cl3DLight, cl3DDkShadow), "");
  EXPECT_EQ(CheckRing(up.bitmap, {1, 1, 22, 21}, clBtnHighlight, clBtnShadow), "");
  EXPECT_EQ(up.PixelsOf(kPaper), PixelSet{});

  look.state = bsDown;
  Surface down(23, 22, kPaper);
  Paint(down);
  EXPECT_EQ(CheckRing(down.bitmap, {0, 0, 23, 22}, clBtnShadow, clBtnHighlight), "");
}

TEST_F(SpeedButtonPaint, CaptionFollowsTheGlyph) {
  TFont font;
  font.SetColor(clBlack);
  look.font = &font;
  look.caption = "Ayuda";
  Surface s(90, 24, kPaper);
  PaintSpeedButton(s.canvas, {0, 0, 90, 24}, look);
  const auto glyphRegion = testing::RegionOf(s.bitmap, clRed);
  const auto textRegion = testing::RegionOf(s.bitmap, clBlack);
  ASSERT_GT(textRegion.count, 0);
  EXPECT_GE(textRegion.bounds.Left, glyphRegion.bounds.Right + 4);  // the spacing
  // Glyph and caption as a group are centred (the square sits 4 pixels inside its image).
  const int leftGap = glyphRegion.bounds.Left - 4, rightGap = 90 - textRegion.bounds.Right;
  EXPECT_LE(std::abs(leftGap - rightGap), 3);
}

}  // namespace
}  // namespace tintoral
