#include <gtest/gtest.h>

#include "platform/window/ButtonPainting.h"
#include "tests/platform/graphics/CanvasTestSupport.h"
#include "tests/platform/graphics/TextPixels.h"
#include "tests/platform/window/StandardControlsTestSupport.h"

namespace tintoral {
namespace {

using test::CheckFill;
using test::CheckRing;
using test::Surface;

constexpr TColor kPaper = 0x123456;
const TRect kButton{0, 0, 75, 25};

TEST(ButtonPaintTest, PlainButtonIsARaisedEdgeAroundTheFace) {
  Surface s(75, 25, kPaper);
  PaintPushButton(s.canvas, kButton, PushButtonLook{});
  EXPECT_EQ(CheckRing(s.bitmap, kButton, cl3DLight, cl3DDkShadow), "");
  EXPECT_EQ(CheckRing(s.bitmap, test::Shrunk(kButton, 1), clBtnHighlight, clBtnShadow), "");
  EXPECT_EQ(CheckFill(s.bitmap, test::Shrunk(kButton, 2), clBtnFace), "");
}

TEST(ButtonPaintTest, DefaultButtonHasABlackFrameOutsideTheEdge) {
  Surface s(75, 25, kPaper);
  PushButtonLook look;
  look.framed = true;
  PaintPushButton(s.canvas, kButton, look);
  EXPECT_EQ(CheckRing(s.bitmap, kButton, clWindowFrame, clWindowFrame), "");
  EXPECT_EQ(CheckRing(s.bitmap, test::Shrunk(kButton, 1), cl3DLight, cl3DDkShadow), "");
  EXPECT_EQ(CheckRing(s.bitmap, test::Shrunk(kButton, 2), clBtnHighlight, clBtnShadow), "");
}

TEST(ButtonPaintTest, PressedButtonHasAShadowRingAndAShiftedCaption) {
  TFont font;
  font.SetColor(clBlack);
  PushButtonLook look;
  look.font = &font;
  look.caption = "OK";
  Surface up(75, 25, kPaper);
  PaintPushButton(up.canvas, kButton, look);
  look.pressed = true;
  Surface down(75, 25, kPaper);
  PaintPushButton(down.canvas, kButton, look);

  EXPECT_EQ(CheckRing(down.bitmap, kButton, clWindowFrame, clWindowFrame), "");
  EXPECT_EQ(CheckRing(down.bitmap, test::Shrunk(kButton, 1), clBtnShadow, clBtnShadow), "");
  const TRect face = test::Shrunk(kButton, 3);
  const auto textUp = test::RegionInside(up.bitmap, face, clBlack);
  const auto textDown = test::RegionInside(down.bitmap, face, clBlack);
  ASSERT_GT(textUp.count, 0);
  EXPECT_GT(textUp.bounds.Left, 20);
  EXPECT_LT(textUp.bounds.Right, 55);
  EXPECT_EQ(textDown.count, textUp.count);
  EXPECT_EQ(textDown.bounds.Left, textUp.bounds.Left + 1);
  EXPECT_EQ(textDown.bounds.Top, textUp.bounds.Top + 1);
}

TEST(ButtonPaintTest, FocusRectangleIsDottedInsideTheFace) {
  Surface plain(75, 25, kPaper);
  PaintPushButton(plain.canvas, kButton, PushButtonLook{});
  PushButtonLook look;
  look.focused = true;
  Surface focused(75, 25, kPaper);
  PaintPushButton(focused.canvas, kButton, look);
  // The focus rectangle inverts every other pixel of the ring 4 pixels in.
  EXPECT_EQ(focused.At(4, 4), 0x3F3F3F);
  EXPECT_EQ(focused.At(5, 4), plain.At(5, 4));
  EXPECT_EQ(focused.At(70, 20), 0x3F3F3F);
  EXPECT_EQ(CheckFill(focused.bitmap, {5, 5, 70, 20}, clBtnFace), "");
}

TEST(ButtonPaintTest, DisabledCaptionIsEmbossed) {
  TFont font;
  font.SetColor(clBlack);
  PushButtonLook look;
  look.font = &font;
  look.caption = "OK";
  look.enabled = false;
  Surface s(75, 25, kPaper);
  PaintPushButton(s.canvas, kButton, look);
  const TRect face = test::Shrunk(kButton, 2);
  EXPECT_EQ(test::RegionInside(s.bitmap, face, clBlack).count, 0);
  const auto shadow = test::RegionInside(s.bitmap, face, clBtnShadow);
  const auto highlight = test::RegionInside(s.bitmap, face, clBtnHighlight);
  ASSERT_GT(shadow.count, 0);
  EXPECT_EQ(highlight.bounds.Right, shadow.bounds.Right + 1);
  EXPECT_EQ(highlight.bounds.Bottom, shadow.bounds.Bottom + 1);
}

}  // namespace
}  // namespace tintoral
