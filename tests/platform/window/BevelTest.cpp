#include <gtest/gtest.h>

#include "platform/window/StandardPainting.h"
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

}  // namespace
}  // namespace tintoral
