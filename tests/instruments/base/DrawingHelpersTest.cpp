#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "instruments/base/DrawingHelpers.h"
#include "instruments/base/InstrumentTypes.h"
#include "runtime/Exception.h"
#include "tests/platform/graphics/CanvasTestSupport.h"
#include "tests/platform/graphics/TextPixels.h"

namespace tintoral {
namespace {

using test::AreaPixels;
using test::PixelSet;
using test::Surface;

constexpr TColor kPaper = clYellow;  // neither black nor white

// --- Numbers ---------------------------------------------------------------------

TEST(NumericHelpers, RoundHalfUpTruncatesAfterAddingAHalf) {
  EXPECT_EQ(RoundHalfUp(2.5L), 3);
  EXPECT_EQ(RoundHalfUp(2.4L), 2);
  EXPECT_EQ(RoundHalfUp(-2.5L), -2);
  EXPECT_EQ(RoundHalfUp(-2.6L), -2);
  EXPECT_EQ(RoundHalfUp(-3.6L), -3);
  EXPECT_EQ(RoundHalfUp(-0.7L), 0);
  EXPECT_EQ(RoundHalfUp(1e15L + 0.5L), 1000000000000001);
}

TEST(NumericHelpers, RoundHalfUpRejectsWhatDoesNotFit64Bits) {
  EXPECT_THROW(RoundHalfUp(std::numeric_limits<long double>::quiet_NaN()), ConvertError);
  EXPECT_THROW(RoundHalfUp(std::numeric_limits<long double>::infinity()), ConvertError);
  EXPECT_THROW(RoundHalfUp(9223372036854775808.0L), ConvertError);
  EXPECT_THROW(RoundHalfUp(-1e19L), ConvertError);
  EXPECT_EQ(RoundHalfUp(-9223372036854775808.0L), std::numeric_limits<std::int64_t>::min() + 1);
  EXPECT_EQ(RoundHalfUp(9223372036854775806.0L), std::numeric_limits<std::int64_t>::max() - 1);
}

TEST(NumericHelpers, LogarithmsAndPowersInExtendedPrecision) {
  EXPECT_NEAR(static_cast<double>(DegToRad(180.0L)), M_PI, 1e-15);
  EXPECT_EQ(DegToRad(90.0L), 90.0L * 0.017453292519943295769L);
  EXPECT_EQ(Log10(1000.0L), std::log2(1000.0L) * 0.30102999566398119523L);
  EXPECT_NEAR(static_cast<double>(Log10(1000.0L)), 3.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(Log10(0.01L)), -2.0, 1e-15);
  EXPECT_EQ(Power(10.0L, 3.0L), std::exp2(3.0L * std::log2(10.0L)));
  EXPECT_NEAR(static_cast<double>(Power(10.0L, -2.0L)), 0.01, 1e-17);
  EXPECT_EQ(Power(2.0L, 0.5L), std::exp2(0.5L));
}

// --- Colours ---------------------------------------------------------------------

TEST(ScaleColorTest, DividesMultipliesAndClampsEachChannel) {
  const TColor color = RGB(64, 128, 255);
  EXPECT_EQ(ScaleColor(color, 2), RGB(32, 64, 127));
  EXPECT_EQ(ScaleColor(color, 3), RGB(21, 42, 85));
  EXPECT_EQ(ScaleColor(color, 1), color);
  EXPECT_EQ(ScaleColor(color, -2), RGB(128, 255, 255));
  EXPECT_EQ(ScaleColor(color, -1), color);
  EXPECT_EQ(ScaleColor(color, 0), clBlack);
  EXPECT_EQ(ScaleColor(clWhite, 0), clBlack);
  EXPECT_EQ(ScaleColor(RGB(1, 1, 1), std::numeric_limits<int>::min()), clWhite) << "no overflow on huge factors";
  EXPECT_EQ(ScaleColor(clWhite, std::numeric_limits<int>::max()), clBlack);
}

TEST(ScaleColorTest, DropsTheTopByte) {
  EXPECT_EQ(ScaleColor(clBtnFace, 1), 15) << "a system colour is taken by its low bytes";
  EXPECT_EQ(ScaleColor(0x02102030, 2), 0x00081018);
}

// --- Bevelled rectangles -----------------------------------------------------------

TEST(DrawBevelRectTest, SunkenAndRaisedAreTheWindowSystemEdges) {
  for (const auto& [kind, style] : {std::pair{0, TEdgeStyle::Sunken}, std::pair{1, TEdgeStyle::Raised}}) {
    Surface helper(20, 14, kPaper), reference(20, 14, kPaper);
    DrawBevelRect(helper.canvas, {2, 3, 17, 12}, kind);
    reference.canvas.DrawEdge({2, 3, 17, 12}, style);
    EXPECT_EQ(helper.PixelsNot(kPaper), reference.PixelsNot(kPaper)) << "kind " << kind;
    EXPECT_TRUE(test::SameWindow(reference.bitmap, helper.bitmap, 0, 0)) << "kind " << kind;
  }
  Surface raised(20, 14, kPaper);
  DrawBevelRect(raised.canvas, {2, 3, 17, 12}, 1);
  EXPECT_EQ(raised.At(2, 3), static_cast<TColor>(SystemColors::Get(COLOR_3DLIGHT)));
  EXPECT_EQ(raised.At(16, 11), static_cast<TColor>(SystemColors::Get(COLOR_3DDKSHADOW)));
  EXPECT_EQ(raised.At(3, 4), static_cast<TColor>(SystemColors::Get(COLOR_BTNHIGHLIGHT)));
  EXPECT_EQ(raised.At(15, 10), static_cast<TColor>(SystemColors::Get(COLOR_BTNSHADOW)));
  EXPECT_EQ(raised.At(4, 5), kPaper) << "the inside is left alone";
}

TEST(DrawBevelRectTest, FramedKindFillsWithTheBrushInsideAShadowOutline) {
  Surface s(20, 14, kPaper);
  s.canvas.Pen().SetColor(clRed);
  s.canvas.Pen().SetStyle(psDash);
  s.canvas.Brush().SetColor(clLime);
  DrawBevelRect(s.canvas, {2, 3, 12, 10}, 2);

  const TColor shadow = static_cast<TColor>(SystemColors::Get(COLOR_BTNSHADOW));
  PixelSet outline = AreaPixels(2, 3, 12, 10);
  const PixelSet inside = AreaPixels(3, 4, 11, 9);
  for (const auto& p : inside) outline.erase(p);
  EXPECT_EQ(s.PixelsOf(shadow), outline) << "a solid outline through the corner pixels";
  EXPECT_EQ(s.PixelsOf(clLime), inside);
  EXPECT_EQ(s.PixelsNot(kPaper), AreaPixels(2, 3, 12, 10));
  EXPECT_EQ(s.canvas.Pen().Color(), clBtnShadow);
  EXPECT_EQ(s.canvas.Pen().Style(), psSolid);
}

TEST(DrawBevelRectTest, OtherKindsDrawNothing) {
  for (int kind : {-1, 3, 99}) {
    Surface s(12, 12, kPaper);
    DrawBevelRect(s.canvas, {1, 1, 11, 11}, kind);
    EXPECT_TRUE(s.PixelsNot(kPaper).empty()) << "kind " << kind;
  }
}

// --- Bevelled lines ----------------------------------------------------------------

TEST(DrawBevelLineTest, RaisedVerticalIsThreeColumns) {
  Surface s(12, 12, kPaper);
  DrawBevelLine(s.canvas, 5, 2, 5, 9, ibsRaised);
  EXPECT_EQ(s.PixelsOf(clWhite), AreaPixels(4, 2, 6, 9)) << "white at x - 1 and x, end pixel left out";
  EXPECT_EQ(s.PixelsOf(clBlack), AreaPixels(6, 2, 7, 9));
  EXPECT_EQ(s.PixelsNot(kPaper).size(), 3u * 7u);
  EXPECT_EQ(s.canvas.Pen().Color(), clBlack) << "the pen keeps the last colour";
}

TEST(DrawBevelLineTest, LoweredVerticalMirrorsTheColours) {
  Surface s(12, 12, kPaper);
  DrawBevelLine(s.canvas, 5, 2, 5, 9, ibsLowered);
  EXPECT_EQ(s.PixelsOf(clBlack), AreaPixels(4, 2, 5, 9));
  EXPECT_EQ(s.PixelsOf(clWhite), AreaPixels(5, 2, 7, 9));
}

TEST(DrawBevelLineTest, HorizontalIsTwoRows) {
  Surface raised(12, 12, kPaper), lowered(12, 12, kPaper);
  DrawBevelLine(raised.canvas, 2, 5, 10, 5, ibsRaised);
  DrawBevelLine(lowered.canvas, 2, 5, 10, 5, ibsLowered);
  EXPECT_EQ(raised.PixelsOf(clWhite), AreaPixels(2, 5, 10, 6));
  EXPECT_EQ(raised.PixelsOf(clBlack), AreaPixels(2, 6, 10, 7));
  EXPECT_EQ(lowered.PixelsOf(clBlack), AreaPixels(2, 5, 10, 6));
  EXPECT_EQ(lowered.PixelsOf(clWhite), AreaPixels(2, 6, 10, 7));
  EXPECT_EQ(raised.PixelsNot(kPaper).size(), 2u * 8u);
}

TEST(DrawBevelLineTest, SwappedEndsDrawTheSameStrokes) {
  for (TiBevelStyle style : {ibsNone, ibsRaised, ibsLowered}) {
    Surface forward(14, 14, kPaper), backward(14, 14, kPaper);
    DrawBevelLine(forward.canvas, 6, 2, 6, 11, style);
    DrawBevelLine(backward.canvas, 6, 11, 6, 2, style);
    EXPECT_TRUE(test::SameWindow(forward.bitmap, backward.bitmap, 0, 0)) << "vertical, style " << style;

    Surface right(14, 14, kPaper), left(14, 14, kPaper);
    DrawBevelLine(right.canvas, 2, 3, 12, 8, style);
    DrawBevelLine(left.canvas, 12, 8, 2, 3, style);
    EXPECT_TRUE(test::SameWindow(right.bitmap, left.bitmap, 0, 0)) << "slanted, style " << style;
  }
}

TEST(DrawBevelLineTest, NoneIsOneStrokeInTheCurrentPen) {
  Surface s(12, 12, kPaper);
  s.canvas.Pen().SetColor(clRed);
  DrawBevelLine(s.canvas, 3, 1, 3, 8, ibsNone);
  DrawBevelLine(s.canvas, 1, 10, 9, 10, ibsNone);
  PixelSet expected = AreaPixels(3, 1, 4, 8);
  expected.merge(AreaPixels(1, 10, 9, 11));
  EXPECT_EQ(s.PixelsOf(clRed), expected);
  EXPECT_EQ(s.PixelsNot(kPaper), expected);
}

TEST(DrawBevelLineTest, ASinglePointCountsAsVertical) {
  Surface s(12, 12, kPaper);
  DrawBevelLine(s.canvas, 5, 5, 5, 5, ibsRaised);
  EXPECT_TRUE(s.PixelsNot(kPaper).empty()) << "each stroke leaves out its end pixel, which is its start";
  EXPECT_EQ(s.canvas.Pen().Color(), clBlack) << "the x + 1 stroke was drawn last";
}

TEST(DrawLineTest, TwoPointPolylineWithoutTheEndPixel) {
  Surface s(12, 12, kPaper);
  s.canvas.Pen().SetColor(clBlue);
  DrawLine(s.canvas, 9, 4, 2, 4);
  EXPECT_EQ(s.PixelsOf(clBlue), AreaPixels(3, 4, 10, 5));
}

// --- Focus frames ------------------------------------------------------------------

TEST(FocusFrameTest, ColorFrameSetsPenAndBrushAndInvertsTwiceBack) {
  Surface s(20, 12, kPaper);
  DrawColorFocusFrame(s.canvas, {1, 1, 19, 11}, clTeal);
  EXPECT_EQ(s.canvas.Pen().Color(), clTeal);
  EXPECT_EQ(s.canvas.Brush().Color(), clTeal);
  const PixelSet changed = s.PixelsNot(kPaper);
  EXPECT_FALSE(changed.empty());
  for (const auto& [x, y] : changed) {
    EXPECT_EQ(s.At(x, y), static_cast<TColor>(0xFFFFFF ^ kPaper)) << "inverted";
    EXPECT_TRUE(x == 1 || x == 18 || y == 1 || y == 10) << "only the frame";
  }
  DrawFocusFrame(s.canvas, {1, 1, 19, 11});
  EXPECT_TRUE(s.PixelsNot(kPaper).empty());
}

// --- Formatted text ---------------------------------------------------------------

class DrawTextFlagsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SystemColors::ResetToClassic();
    testing::PrepareTextCanvas(bitmap);
  }
  int Cell() { return canvas.TextHeight("x"); }

  TBitmap bitmap{200, 100};
  TCanvas& canvas = bitmap.Canvas();
};

TEST_F(DrawTextFlagsTest, NoFlagsIsLeftTopOneLineAndNoPrefix) {
  canvas.Brush().SetColor(clYellow);
  const std::string text = "R&D uno dos tres cuatro";
  EXPECT_EQ(DrawTextFlags(canvas, text, TRect{10, 10, 60, 90}, 0), Cell());
  const auto cell = testing::RegionOf(bitmap, clYellow);
  EXPECT_EQ(cell.bounds, (TRect{10, 10, 60, 10 + Cell()})) << "one unwrapped line at the top left, clipped";

  std::string measured = "R&D";
  TRect rect{0, 0, 150, 50};
  DrawTextFlags(canvas, measured, rect, DrawTextFlag::Calculate);
  EXPECT_EQ(rect.Right, canvas.TextWidth("R&D")) << "'&' is an ordinary character";
}

TEST_F(DrawTextFlagsTest, FlagsPassThroughToTheCanvas) {
  const TRect narrow{0, 0, 40, 90};
  EXPECT_GT(DrawTextFlags(canvas, std::string("uno dos tres cuatro"), narrow, DrawTextFlag::WordBreak), Cell());

  std::string prefixed = "&Guardar";
  TRect rect{0, 0, 150, 50};
  DrawTextFlags(canvas, prefixed, rect, DrawTextFlag::Prefix | DrawTextFlag::Calculate);
  EXPECT_EQ(rect.Right, canvas.TextWidth("Guardar"));
  EXPECT_EQ(prefixed, "&Guardar");
}

TEST(InstrumentTypesTest, ValueNamesInOrdinalOrder) {
  EXPECT_EQ(EnumTypeOf(ibsLowered).Name(), "TiBevelStyle");
  EXPECT_EQ(EnumTypeOf(ibsLowered).NameOf(ibsLowered), "ibsLowered");
  EXPECT_EQ(EnumTypeOf(istsBevelRasied).NameOf(istsBevelRasied), "istsBevelRasied");
  EXPECT_EQ(EnumTypeOf(ispsBitmap).Count(), 6);
  EXPECT_EQ(EnumTypeOf(ismcsGoto).ValueOf("ISMCSGOTO"), ismcsGoto);
  EXPECT_EQ(EnumTypeOf(iahRight).NameOf(0), "iahCenter");
  EXPECT_EQ(EnumTypeOf(itmnaOutside).NameOf(itmnaOutside), "itmnaOutside");
  EXPECT_EQ(EnumTypeOf(iosTopLeft).NameOf(iosTopLeft), "iosTopLeft");
}

}  // namespace
}  // namespace tintoral
