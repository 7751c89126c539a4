#include <gtest/gtest.h>

#include "platform/window/StandardPainting.h"
#include "tests/platform/graphics/CanvasTestSupport.h"
#include "tests/platform/graphics/TextPixels.h"
#include "tests/platform/window/StandardControlsTestSupport.h"

namespace tintoral {
namespace {

using test::CheckFill;
using test::CheckRing;
using test::Shrunk;
using test::Surface;

TEST(PanelPaintTest, DefaultPanelIsARaisedBoxOfOnePixel) {
  Surface s(12, 9, clRed);
  const TRect all{0, 0, 12, 9};
  PaintPanel(s.canvas, all, PanelLook{});
  EXPECT_EQ(CheckRing(s.bitmap, all, clBtnHighlight, clBtnShadow), "");
  EXPECT_EQ(CheckFill(s.bitmap, Shrunk(all, 1), clBtnFace), "");
}

TEST(PanelPaintTest, LoweredOuterAndRaisedInnerBevelsNest) {
  Surface s(20, 14, clRed);
  const TRect all{0, 0, 20, 14};
  PanelLook look;
  look.bevelOuter = bvLowered;
  look.bevelInner = bvRaised;
  look.color = clMaroon;
  PaintPanel(s.canvas, all, look);
  EXPECT_EQ(CheckRing(s.bitmap, all, clBtnShadow, clBtnHighlight), "");
  EXPECT_EQ(CheckRing(s.bitmap, Shrunk(all, 1), clBtnHighlight, clBtnShadow), "");
  EXPECT_EQ(CheckFill(s.bitmap, Shrunk(all, 2), clMaroon), "");
}

TEST(PanelPaintTest, BevelWidthBorderWidthAndSpaceUseTheirRings) {
  Surface s(30, 20, clRed);
  const TRect all{0, 0, 30, 20};
  PanelLook look;
  look.bevelWidth = 2;
  look.borderWidth = 3;
  look.bevelInner = bvSpace;
  look.color = clTeal;
  PaintPanel(s.canvas, all, look);
  EXPECT_EQ(CheckRing(s.bitmap, all, clBtnHighlight, clBtnShadow), "");
  EXPECT_EQ(CheckRing(s.bitmap, Shrunk(all, 1), clBtnHighlight, clBtnShadow), "");
  // Border (3) and the space bevel (2) are in the panel's colour, like its face.
  EXPECT_EQ(CheckFill(s.bitmap, Shrunk(all, 2), clTeal), "");
}

TEST(PanelPaintTest, NoBevelsLeaveOnlyTheFaceAndSingleBorderIsSunken) {
  Surface s(10, 10, clRed);
  PanelLook look;
  look.bevelOuter = bvNone;
  PaintPanel(s.canvas, {0, 0, 10, 10}, look);
  EXPECT_EQ(CheckFill(s.bitmap, {0, 0, 10, 10}, clBtnFace), "");

  look.singleBorder = true;
  PaintPanel(s.canvas, {0, 0, 10, 10}, look);
  EXPECT_EQ(CheckRing(s.bitmap, {0, 0, 10, 10}, clBtnShadow, clBtnHighlight), "");
  EXPECT_EQ(CheckRing(s.bitmap, {1, 1, 9, 9}, cl3DDkShadow, cl3DLight), "");
  EXPECT_EQ(CheckFill(s.bitmap, {2, 2, 8, 8}, clBtnFace), "");
}

TEST(PanelPaintTest, CaptionIsCentred) {
  Surface s(120, 40, clRed);
  TFont font;
  font.SetColor(clBlack);
  PanelLook look;
  look.caption = "Panel";
  look.font = &font;
  PaintPanel(s.canvas, {0, 0, 120, 40}, look);
  const auto text = testing::RegionOf(s.bitmap, clBlack);
  ASSERT_GT(text.count, 0);
  const int left = text.bounds.Left, right = 120 - text.bounds.Right;
  const int top = text.bounds.Top, bottom = 40 - text.bounds.Bottom;
  EXPECT_LE(std::abs(left - right), 2);
  EXPECT_LE(std::abs(top - bottom), 4);

  Surface r(120, 40, clRed);
  look.alignment = taRightJustify;
  PaintPanel(r.canvas, {0, 0, 120, 40}, look);
  EXPECT_GE(testing::RegionOf(r.bitmap, clBlack).bounds.Right, 110);
}

}  // namespace
}  // namespace tintoral
