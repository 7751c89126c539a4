#include <gtest/gtest.h>

#include "platform/window/StandardPainting.h"
#include "tests/platform/graphics/CanvasTestSupport.h"
#include "tests/platform/graphics/TextPixels.h"
#include "tests/platform/window/StandardControlsTestSupport.h"

namespace tintoral {
namespace {

using test::CheckFill;
using test::Surface;

constexpr TColor kPaper = 0x123456;

struct LabelPaint : ::testing::Test {
  TFont font;
  LabelLook look;
  LabelPaint() {
    font.SetColor(clBlack);
    look.font = &font;
    look.caption = "Luminancia";
    look.color = clYellow;
  }
};

TEST_F(LabelPaint, OpaqueLabelFillsItsColourAndTransparentOneDoesNot) {
  Surface opaque(100, 30, kPaper);
  PaintLabel(opaque.canvas, {0, 0, 100, 30}, look);
  EXPECT_EQ(opaque.PixelsOf(kPaper), test::PixelSet{});
  EXPECT_GT(testing::RegionOf(opaque.bitmap, clYellow).count, 0);

  look.transparent = true;
  Surface clear(100, 30, kPaper);
  PaintLabel(clear.canvas, {0, 0, 100, 30}, look);
  EXPECT_EQ(testing::RegionOf(clear.bitmap, clYellow).count, 0);
  EXPECT_GT(testing::RegionOf(clear.bitmap, clBlack).count, 0);
}

TEST_F(LabelPaint, AlignmentAndLayoutPlaceTheText) {
  const TRect area{0, 0, 200, 60};
  const auto bounds = [&](TAlignment alignment, TTextLayout layout) {
    look.alignment = alignment;
    look.layout = layout;
    Surface s(200, 60, kPaper);
    PaintLabel(s.canvas, area, look);
    return testing::RegionOf(s.bitmap, clBlack).bounds;
  };
  const TRect topLeft = bounds(taLeftJustify, tlTop);
  EXPECT_LE(topLeft.Left, 2);
  EXPECT_LE(topLeft.Top, 4);
  const TRect right = bounds(taRightJustify, tlTop);
  EXPECT_GE(right.Right, 197);
  const TRect centred = bounds(taCenter, tlCenter);
  EXPECT_LE(std::abs(centred.Left - (200 - centred.Right)), 2);
  EXPECT_LE(std::abs(centred.Top - (60 - centred.Bottom)), 4);
  const TRect bottom = bounds(taLeftJustify, tlBottom);
  EXPECT_GE(bottom.Bottom, 56);
}

TEST_F(LabelPaint, AccelCharIsHiddenOrShown) {
  look.caption = "&&";
  Surface prefix(60, 20, kPaper);
  PaintLabel(prefix.canvas, {0, 0, 60, 20}, look);
  look.showAccelChar = false;
  Surface plain(60, 20, kPaper);
  PaintLabel(plain.canvas, {0, 0, 60, 20}, look);
  // "&&" shows one ampersand with the prefix rule and two without it.
  const TRect one = testing::RegionOf(prefix.bitmap, clBlack).bounds;
  const TRect two = testing::RegionOf(plain.bitmap, clBlack).bounds;
  EXPECT_GT(two.Width(), one.Width() * 3 / 2);
}

TEST_F(LabelPaint, MeasureGivesTheTextSizeAndASpaceForEmptyText) {
  const TSize size = MeasureLabel(look, 0);
  TBitmap probe(1, 1);
  probe.Canvas().Font().Assign(font);
  EXPECT_EQ(size.Width, probe.Canvas().TextWidth("Luminancia"));
  EXPECT_EQ(size.Height, probe.Canvas().TextHeight("Luminancia"));
  look.caption = "";
  const TSize empty = MeasureLabel(look, 0);
  EXPECT_EQ(empty.Width, probe.Canvas().TextWidth(" "));
  EXPECT_EQ(empty.Height, size.Height);

  look.caption = "uno dos tres cuatro cinco";
  look.wordWrap = true;
  const TSize wrapped = MeasureLabel(look, 40);
  EXPECT_EQ(wrapped.Width, 40);
  EXPECT_GE(wrapped.Height, 3 * size.Height);
}

TEST_F(LabelPaint, DisabledTextIsEmbossed) {
  look.enabled = false;
  look.transparent = true;
  Surface s(100, 30, kPaper);
  PaintLabel(s.canvas, {0, 0, 100, 30}, look);
  EXPECT_EQ(testing::RegionOf(s.bitmap, clBlack).count, 0);
  EXPECT_GT(testing::RegionOf(s.bitmap, 0x808080).count, 0);
  EXPECT_GT(testing::RegionOf(s.bitmap, 0xFFFFFF).count, 0);
}

}  // namespace
}  // namespace tintoral
