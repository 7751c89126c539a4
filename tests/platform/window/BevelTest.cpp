#include <gtest/gtest.h>

#include "platform/window/Bevel.h"
#include "platform/window/StandardPainting.h"
#include "runtime/FormWriter.h"
#include "tests/platform/graphics/CanvasTestSupport.h"
#include "tests/platform/window/StandardControlsTestSupport.h"

namespace tintoral {
namespace {

using test::AreaPixels;
using test::PixelSet;
using test::Surface;

constexpr TColor kShadow = 0x808080;
constexpr TColor kHighlight = 0xFFFFFF;

PixelSet Column(int x, int top, int bottom) { return AreaPixels(x, top, x + 1, bottom); }
PixelSet Row(int y, int left, int right) { return AreaPixels(left, y, right, y + 1); }
PixelSet Join(PixelSet a, const PixelSet& b) {
  a.insert(b.begin(), b.end());
  return a;
}

TEST(BevelPaintTest, LoweredBoxHasShadowTopLeftAndHighlightBottomRight) {
  Surface s(8, 6, clRed);
  PaintBevel(s.canvas, {0, 0, 8, 6}, bsBox, bsLowered);
  // Left column with the bottom-left corner, and the top row up to the last column.
  EXPECT_EQ(s.PixelsOf(kShadow), Join(Column(0, 0, 6), Row(0, 0, 7)));
  EXPECT_EQ(s.PixelsOf(kHighlight), Join(Column(7, 0, 6), Row(5, 1, 8)));
  EXPECT_EQ(s.PixelsOf(clRed), AreaPixels(1, 1, 7, 5));
}

TEST(BevelPaintTest, RaisedBoxSwapsTheColours) {
  Surface s(8, 6, clRed);
  PaintBevel(s.canvas, {0, 0, 8, 6}, bsBox, bsRaised);
  EXPECT_EQ(s.PixelsOf(kHighlight), Join(Column(0, 0, 6), Row(0, 0, 7)));
  EXPECT_EQ(s.PixelsOf(kShadow), Join(Column(7, 0, 6), Row(5, 1, 8)));
}

TEST(BevelPaintTest, LoweredFrameIsAnEtchedGroove) {
  Surface s(8, 6, clRed);
  PaintBevel(s.canvas, {0, 0, 8, 6}, bsFrame, bsLowered);
  // Outer outline (0,0)-(6,4) in shadow over the inner (1,1)-(7,5) in highlight.
  const PixelSet outer = Join(Join(Column(0, 0, 5), Column(6, 0, 5)), Join(Row(0, 0, 7), Row(4, 0, 7)));
  const PixelSet inner = Join(Join(Column(1, 1, 6), Column(7, 1, 6)), Join(Row(1, 1, 8), Row(5, 1, 8)));
  EXPECT_EQ(s.PixelsOf(kShadow), outer);
  PixelSet innerOnly;
  for (const auto& p : inner)
    if (!outer.count(p)) innerOnly.insert(p);
  EXPECT_EQ(s.PixelsOf(kHighlight), innerOnly);
}

TEST(BevelPaintTest, LinesLieOnTheirEdge) {
  struct Case {
    TBevelShape shape;
    PixelSet first, second;
  };
  const Case cases[] = {
      {bsTopLine, Row(0, 0, 8), Row(1, 0, 8)},
      {bsBottomLine, Row(4, 0, 8), Row(5, 0, 8)},
      {bsLeftLine, Column(0, 0, 6), Column(1, 0, 6)},
      {bsRightLine, Column(6, 0, 6), Column(7, 0, 6)},
  };
  for (const Case& c : cases) {
    Surface s(8, 6, clRed);
    PaintBevel(s.canvas, {0, 0, 8, 6}, c.shape, bsLowered);
    EXPECT_EQ(s.PixelsOf(kShadow), c.first) << c.shape;
    EXPECT_EQ(s.PixelsOf(kHighlight), c.second) << c.shape;
  }
  Surface spacer(8, 6, clRed);
  PaintBevel(spacer.canvas, {0, 0, 8, 6}, bsSpacer, bsLowered);
  EXPECT_EQ(spacer.PixelsNot(clRed), PixelSet{});
}

TEST(BevelTest, FormStreamRoundTripAndPaintingOnTheParent) {
  auto form = test::ReadForm(R"(object Form1: TForm
  Width = 100
  Height = 100
  Color = clRed
  object Bevel1: TBevel
    Left = 2
    Top = 3
    Width = 8
    Height = 6
    Shape = bsTopLine
    Style = bsRaised
  end
  object Bevel2: TBevel
    Left = 20
    Top = 20
    Width = 8
    Height = 6
  end
end
)");
  auto* line = form->FindComponentAs<TBevel>("Bevel1");
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->Shape(), bsTopLine);
  EXPECT_EQ(line->Style(), bsRaised);
  const std::string text = WriteComponentText(*form);
  EXPECT_TRUE(test::HasLine(text, "Shape = bsTopLine"));
  EXPECT_TRUE(test::HasLine(text, "Style = bsRaised"));
  const std::string box = text.substr(text.find("object Bevel2"));
  EXPECT_EQ(box.find("Shape"), std::string::npos);
  EXPECT_EQ(box.find("Style"), std::string::npos);

  TBitmap shown;
  form->RenderTo(shown);
  EXPECT_EQ(shown.Pixel(2, 3), kHighlight);
  EXPECT_EQ(shown.Pixel(9, 4), kShadow);
  EXPECT_EQ(shown.Pixel(2, 5), clRed);  // the rest shows the form
  EXPECT_EQ(shown.Pixel(20, 20), kShadow);
  EXPECT_EQ(shown.Pixel(27, 25), kHighlight);
}

}  // namespace
}  // namespace tintoral
