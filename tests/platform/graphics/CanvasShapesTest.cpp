#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "CanvasTestSupport.h"

namespace tintoral {
namespace {

using test::AreaPixels;
using test::PixelSet;
using test::Surface;

TEST(CanvasShapesTest, FillRectPaintsItsAreaWithTheBrushOnly) {
  Surface s(20, 20);
  s.canvas.Brush().SetColor(clRed);
  s.canvas.FillRect({3, 4, 8, 6});
  EXPECT_EQ(s.PixelsNot(clWhite), AreaPixels(3, 4, 8, 6));
  EXPECT_EQ(s.PixelsOf(clRed), AreaPixels(3, 4, 8, 6));
  s.canvas.Brush().SetStyle(bsClear);
  s.canvas.FillRect({0, 0, 20, 20});
  EXPECT_EQ(s.PixelsOf(clRed).size(), 10u);
  s.canvas.Brush().SetColor(clBlue);
  s.canvas.FillRect({5, 5, 5, 9});  // empty
  s.canvas.FillRect({9, 9, 5, 5});  // inverted: empty
  EXPECT_TRUE(s.PixelsOf(clBlue).empty());
}

TEST(CanvasShapesTest, RectangleOutlinesTheBorderPixelsAndFillsTheInside) {
  Surface s(20, 20);
  s.canvas.Brush().SetColor(clLime);
  s.canvas.Rectangle(2, 3, 9, 8);
  PixelSet border = AreaPixels(2, 3, 9, 8);
  const PixelSet inside = AreaPixels(3, 4, 8, 7);
  for (const auto& p : inside) border.erase(p);
  EXPECT_EQ(s.PixelsOf(clBlack), border);
  EXPECT_EQ(s.PixelsOf(clLime), inside);

  Surface noPen(20, 20);
  noPen.canvas.Pen().SetStyle(psClear);
  noPen.canvas.Brush().SetColor(clLime);
  noPen.canvas.Rectangle(2, 3, 9, 8);
  EXPECT_EQ(noPen.PixelsNot(clWhite), inside);

  Surface noBrush(20, 20, clRed);
  noBrush.canvas.Brush().SetStyle(bsClear);
  noBrush.canvas.Rectangle(2, 3, 9, 8);
  EXPECT_EQ(noBrush.PixelsOf(clBlack), border);
  EXPECT_EQ(noBrush.PixelsOf(clRed).size(), 400u - border.size());
}

TEST(CanvasShapesTest, ThinRectanglesPaintEachPixelOnce) {
  for (const TRect r : {TRect{4, 4, 5, 9}, TRect{4, 4, 9, 5}, TRect{4, 4, 5, 5}, TRect{4, 4, 6, 6}}) {
    Surface s(12, 12, clBlack);
    s.canvas.Pen().SetColor(clWhite);
    s.canvas.Pen().SetMode(pmXor);
    s.canvas.Rectangle(r);
    EXPECT_EQ(s.PixelsOf(clWhite), AreaPixels(r.Left, r.Top, r.Right, r.Bottom)) << r.Right << "," << r.Bottom;
  }
}

TEST(CanvasShapesTest, DashedRectangleOutlinesLeaveGaps) {
  Surface s(40, 40);
  s.canvas.Brush().SetStyle(bsClear);
  s.canvas.Pen().SetStyle(psDot);
  s.canvas.Rectangle(0, 0, 30, 20);
  EXPECT_EQ(s.At(0, 0), clBlack);
  EXPECT_EQ(s.At(2, 0), clBlack);
  EXPECT_EQ(s.At(3, 0), clWhite);
  EXPECT_EQ(s.At(6, 0), clBlack);
  const std::size_t painted = s.PixelsOf(clBlack).size();
  EXPECT_GT(painted, 40u);
  EXPECT_LT(painted, 60u);  // about half of the 96 border pixels
}

TEST(CanvasShapesTest, InsideFramePensStayInsideTheBox) {
  Surface s(40, 40);
  s.canvas.Pen().SetWidth(4);
  s.canvas.Pen().SetStyle(psInsideFrame);
  s.canvas.Brush().SetColor(clLime);
  s.canvas.Rectangle(10, 10, 30, 30);
  PixelSet painted = s.PixelsNot(clWhite);
  for (const auto& [x, y] : painted) {
    EXPECT_TRUE(x >= 10 && x < 30 && y >= 10 && y < 30) << x << "," << y;
  }
  for (int x = 10; x < 14; ++x) EXPECT_EQ(s.At(x, 20), clBlack) << x;
  EXPECT_EQ(s.At(14, 20), clLime);
  for (int x = 26; x < 30; ++x) EXPECT_EQ(s.At(x, 20), clBlack) << x;
  EXPECT_EQ(s.At(25, 20), clLime);

  Surface ellipse(40, 40);
  ellipse.canvas.Pen().SetWidth(5);
  ellipse.canvas.Pen().SetStyle(psInsideFrame);
  ellipse.canvas.Ellipse(5, 5, 35, 25);
  for (const auto& [x, y] : ellipse.PixelsNot(clWhite)) EXPECT_TRUE(x >= 5 && x < 35 && y >= 5 && y < 25);
  EXPECT_EQ(ellipse.At(5, 15), clBlack);
  EXPECT_EQ(ellipse.At(9, 15), clBlack);
  EXPECT_EQ(ellipse.At(20, 5), clBlack);
}

TEST(CanvasShapesTest, GeometricRectangleOutlineIsCentredOnTheBorder) {
  Surface s(40, 40);
  s.canvas.Pen().SetWidth(3);
  s.canvas.Brush().SetStyle(bsClear);
  s.canvas.Rectangle(10, 10, 30, 30);
  EXPECT_EQ(s.At(9, 20), clBlack);
  EXPECT_EQ(s.At(11, 20), clBlack);
  EXPECT_EQ(s.At(12, 20), clWhite);
  EXPECT_EQ(s.At(8, 20), clWhite);
  EXPECT_EQ(s.At(30, 20), clBlack);  // right border runs through column 29
  EXPECT_EQ(s.At(31, 20), clWhite);
}

// Mix modes on S = 0x123456 with P = 0x0F0F0F (0x00BBGGRR), applied by a
// fill, a line, a rectangle outline and an ellipse.
TEST(CanvasShapesTest, PenModesCombinePenAndScreenBitwise) {
  struct Case {
    TPenMode mode;
    TColor expected;
  };
  const Case cases[] = {
      {pmBlack, 0x000000},       {pmWhite, 0xFFFFFF},      {pmNop, 0x123456},         {pmNot, 0xEDCBA9},
      {pmCopy, 0x0F0F0F},        {pmNotCopy, 0xF0F0F0},    {pmMergePenNot, 0xEFCFAF}, {pmMaskPenNot, 0x0D0B09},
      {pmMergeNotPen, 0xF2F4F6}, {pmMaskNotPen, 0x103050}, {pmMerge, 0x1F3F5F},       {pmNotMerge, 0xE0C0A0},
      {pmMask, 0x020406},        {pmNotMask, 0xFDFBF9},    {pmXor, 0x1D3B59},         {pmNotXor, 0xE2C4A6},
  };
  for (const Case& c : cases) {
    Surface s(30, 30, 0x123456);
    s.canvas.Pen().SetColor(0x0F0F0F);
    s.canvas.Pen().SetMode(c.mode);
    s.canvas.Brush().SetColor(0x0F0F0F);
    s.canvas.FillRect({0, 0, 2, 2});  // always a copy
    s.canvas.MoveTo(0, 5);
    s.canvas.LineTo(5, 5);
    s.canvas.Rectangle(10, 0, 14, 4);
    s.canvas.Ellipse(20, 20, 30, 30);
    SCOPED_TRACE(c.mode);
    EXPECT_EQ(s.At(1, 1), 0x0F0F0F);
    EXPECT_EQ(s.At(3, 5), c.expected);
    EXPECT_EQ(s.At(10, 0), c.expected);  // outline
    EXPECT_EQ(s.At(11, 1), c.expected);  // inside
    EXPECT_EQ(s.At(25, 25), c.expected);
    EXPECT_EQ(s.At(6, 5), 0x123456);
  }
}

TEST(CanvasShapesTest, XorDrawnTwiceRestoresAndSystemColoursResolve) {
  Surface s(30, 30, clTeal);
  s.canvas.Pen().SetMode(pmXor);
  s.canvas.Pen().SetColor(clBtnFace);
  s.canvas.Brush().SetColor(clHighlight);
  const TPoint star[] = {{15, 2}, {20, 28}, {2, 10}, {28, 10}, {10, 28}};
  for (int i = 0; i < 2; ++i) {
    s.canvas.Polygon(star);
    s.canvas.Ellipse(3, 3, 25, 20);
    s.canvas.Rectangle(1, 1, 29, 29);
  }
  EXPECT_EQ(s.PixelsNot(clTeal), PixelSet{});
  s.canvas.Pen().SetMode(pmCopy);
  s.canvas.MoveTo(0, 0);
  s.canvas.LineTo(3, 0);
  EXPECT_EQ(s.At(1, 0), 0xC0C0C0);
}

TEST(CanvasShapesTest, HatchBrushesPaintAnOriginAlignedPatternAndLeaveGaps) {
  Surface s(24, 24, clWhite);
  s.canvas.Brush().SetColor(clNavy);
  s.canvas.Brush().SetStyle(bsHorizontal);
  s.canvas.FillRect({3, 5, 20, 22});
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      const bool inside = x >= 3 && x < 20 && y >= 5 && y < 22;
      EXPECT_EQ(s.At(x, y), inside && y % 8 == 3 ? clNavy : clWhite) << x << "," << y;
    }

  Surface d(16, 16, clWhite);
  d.canvas.Brush().SetColor(clRed);
  d.canvas.Brush().SetStyle(bsDiagCross);
  d.canvas.FillRect({0, 0, 16, 16});
  EXPECT_EQ(d.At(0, 0), clRed);
  EXPECT_EQ(d.At(7, 0), clRed);
  EXPECT_EQ(d.At(9, 1), clRed);
  EXPECT_EQ(d.At(1, 0), clWhite);
  EXPECT_EQ(d.PixelsOf(clRed).size(), 4u * 16u);

  for (TBrushStyle style : {bsVertical, bsFDiagonal, bsBDiagonal, bsCross}) {
    Surface h(16, 16, clWhite);
    h.canvas.Brush().SetStyle(style);
    h.canvas.Brush().SetColor(clBlack);
    h.canvas.FillRect({0, 0, 16, 16});
    const std::size_t expected = style == bsCross ? 15u * 4u : 8u * 4u;
    EXPECT_EQ(h.PixelsOf(clBlack).size(), expected) << style;
  }
}

TEST(CanvasShapesTest, PolygonFillsPixelCentresInsideThenOutlines) {
  Surface s(20, 20);
  s.canvas.Pen().SetStyle(psClear);
  s.canvas.Brush().SetColor(clRed);
  const TPoint square[] = {{2, 2}, {10, 2}, {10, 10}, {2, 10}};
  s.canvas.Polygon(square);
  EXPECT_EQ(s.PixelsNot(clWhite), AreaPixels(2, 2, 10, 10));

  Surface outlined(20, 20);
  outlined.canvas.Brush().SetColor(clRed);
  outlined.canvas.Polygon(square);
  EXPECT_EQ(outlined.PixelsNot(clWhite), AreaPixels(2, 2, 11, 11));
  EXPECT_EQ(outlined.PixelsOf(clRed), AreaPixels(3, 3, 10, 10));
}

TEST(CanvasShapesTest, PolygonsSharingAnEdgeNeitherOverlapNorLeaveGaps) {
  Surface s(30, 30, clBlack);
  s.canvas.Pen().SetStyle(psClear);
  s.canvas.Brush().SetColor(clWhite);
  s.canvas.Pen().SetMode(pmXor);
  const TPoint a[] = {{3, 2}, {25, 7}, {6, 27}};
  const TPoint b[] = {{25, 7}, {28, 28}, {6, 27}};
  const TPoint c[] = {{3, 2}, {25, 7}, {20, 0}};
  s.canvas.Polygon(a);
  s.canvas.Polygon(b);
  s.canvas.Polygon(c);
  const TPoint whole[] = {{3, 2}, {20, 0}, {25, 7}, {28, 28}, {6, 27}};
  Surface ref(30, 30, clBlack);
  ref.canvas.Pen().SetStyle(psClear);
  ref.canvas.Brush().SetColor(clWhite);
  ref.canvas.Polygon(whole);
  EXPECT_EQ(s.PixelsOf(clWhite), ref.PixelsOf(clWhite));
  EXPECT_GT(ref.PixelsOf(clWhite).size(), 300u);
}

TEST(CanvasShapesTest, PolygonOutlinePaintsEveryVertexOnceAndUsesTheAlternateRule) {
  Surface s(30, 30, clBlack);
  s.canvas.Pen().SetColor(clWhite);
  s.canvas.Pen().SetMode(pmXor);
  s.canvas.Brush().SetStyle(bsClear);
  const TPoint triangle[] = {{2, 2}, {20, 4}, {8, 18}};
  s.canvas.Polygon(triangle);
  for (const TPoint& p : triangle) EXPECT_EQ(s.At(p.X, p.Y), clWhite) << p.X << "," << p.Y;

  Surface star(40, 40);
  star.canvas.Pen().SetStyle(psClear);
  star.canvas.Brush().SetColor(clRed);
  const TPoint points[] = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
  star.canvas.Polygon(points);
  EXPECT_EQ(star.At(20, 20), clWhite);  // the centre pentagon is crossed twice: outside
  EXPECT_EQ(star.At(20, 8), clRed);     // a tip
  EXPECT_EQ(star.At(8, 15), clRed);
}

// The box of the drawn pixels and the symmetry of the ellipse.
TEST(CanvasShapesTest, EllipseCoversExactlyItsBoxColumnsAndRows) {
  Surface s(300, 250);
  s.canvas.Brush().SetColor(clYellow);
  s.canvas.Ellipse(53, 16, 253, 216);
  const PixelSet painted = s.PixelsNot(clWhite);
  int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
  for (const auto& [x, y] : painted) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
    EXPECT_TRUE(painted.count({53 + 252 - x, y}) && painted.count({x, 16 + 215 - y}));
  }
  EXPECT_EQ(minX, 53);
  EXPECT_EQ(maxX, 252);
  EXPECT_EQ(minY, 16);
  EXPECT_EQ(maxY, 215);
  EXPECT_EQ(s.At(53, 115), clBlack);
  EXPECT_EQ(s.At(153, 16), clBlack);
  EXPECT_EQ(s.At(153, 116), clYellow);
  EXPECT_EQ(s.At(60, 20), clWhite);  // corners of the box stay free
}

TEST(CanvasShapesTest, EllipseOutlineIsClosedAndOnePixelThick) {
  for (const TRect box : {TRect{2, 2, 40, 30}, TRect{1, 1, 6, 40}, TRect{0, 0, 45, 3}, TRect{3, 3, 8, 8}}) {
    Surface s(50, 50, clBlack);
    s.canvas.Pen().SetColor(clWhite);
    s.canvas.Pen().SetMode(pmXor);
    s.canvas.Brush().SetColor(clRed);
    s.canvas.Ellipse(box.Left, box.Top, box.Right, box.Bottom);
    SCOPED_TRACE(testing::Message() << box.Right << "x" << box.Bottom);
    // Every red pixel has only outline or red four-neighbours: the outline seals the inside.
    for (const auto& [x, y] : s.PixelsOf(clRed))
      for (const auto& [nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}})
        EXPECT_NE(s.At(nx, ny), clBlack) << nx << "," << ny;
    // Each row of the shape is one run, and the outline touches every column and row of the box.
    for (int y = box.Top; y < box.Bottom; ++y) {
      int runs = 0;
      for (int x = 0; x < 50; ++x)
        runs += s.At(x, y) != clBlack && s.At(x - 1, y) != s.At(x, y) && (x == 0 || s.At(x - 1, y) == clBlack);
      EXPECT_EQ(runs, 1) << "row " << y;
    }
    for (int x = box.Left; x < box.Right; ++x) {
      bool touched = false;
      for (int y = box.Top; y < box.Bottom; ++y) touched |= s.At(x, y) == clWhite;
      EXPECT_TRUE(touched) << "column " << x;
    }
  }
}

TEST(CanvasShapesTest, TinyEllipses) {
  Surface one(5, 5);
  one.canvas.Ellipse(2, 2, 3, 3);
  EXPECT_EQ(one.PixelsNot(clWhite), AreaPixels(2, 2, 3, 3));
  Surface four(5, 5);
  four.canvas.Ellipse(1, 1, 3, 3);
  EXPECT_EQ(four.PixelsOf(clBlack), AreaPixels(1, 1, 3, 3));
  Surface flat(20, 5);
  flat.canvas.Ellipse(0, 1, 20, 3);
  EXPECT_EQ(flat.PixelsOf(clBlack), AreaPixels(0, 1, 20, 3));
  Surface none(5, 5);
  none.canvas.Ellipse(2, 2, 2, 4);
  EXPECT_TRUE(none.PixelsNot(clWhite).empty());
}

TEST(CanvasShapesTest, ArcRunsCounterClockwiseFromStartRayToEndRay) {
  Surface full(30, 30);
  full.canvas.Brush().SetStyle(bsClear);
  full.canvas.Ellipse(0, 0, 21, 21);

  Surface quarter(30, 30);
  quarter.canvas.Arc(0, 0, 21, 21, 25, 10, 10, -5);  // from the right, up to the top
  const PixelSet q = quarter.PixelsOf(clBlack);
  EXPECT_TRUE(q.count({20, 10}));
  EXPECT_TRUE(q.count({10, 0}));
  for (const auto& [x, y] : q) {
    EXPECT_TRUE(x >= 10 && y <= 10) << x << "," << y;
    EXPECT_TRUE(full.PixelsOf(clBlack).count({x, y}));
  }

  Surface rest(30, 30);
  rest.canvas.Arc(0, 0, 21, 21, 10, -5, 25, 10);  // the other three quarters
  PixelSet both = rest.PixelsOf(clBlack);
  both.insert(q.begin(), q.end());
  EXPECT_EQ(both, full.PixelsOf(clBlack));
  EXPECT_TRUE(rest.PixelsOf(clBlack).count({0, 10}));

  Surface same(30, 30);
  same.canvas.Arc(0, 0, 21, 21, 3, 3, 6, 6);  // equal rays: the whole ellipse
  EXPECT_EQ(same.PixelsOf(clBlack), full.PixelsOf(clBlack));
}

TEST(CanvasShapesTest, WideEllipseAndArcReachBeyondTheThinOutlineByHalfTheWidth) {
  Surface s(40, 40);
  s.canvas.Pen().SetWidth(3);
  s.canvas.Brush().SetStyle(bsClear);
  s.canvas.Ellipse(5, 5, 35, 35);
  EXPECT_EQ(s.At(4, 20), clBlack);
  EXPECT_EQ(s.At(6, 20), clBlack);
  EXPECT_EQ(s.At(3, 20), clWhite);
  EXPECT_EQ(s.At(7, 20), clWhite);
  Surface a(40, 40);
  a.canvas.Pen().SetWidth(3);
  a.canvas.Arc(5, 5, 35, 35, 40, 20, 20, 0);
  EXPECT_EQ(a.At(34, 20), clBlack);
  EXPECT_EQ(a.At(20, 4), clBlack);
  EXPECT_EQ(a.At(4, 20), clWhite);
  EXPECT_EQ(a.At(20, 35), clWhite);
}

TEST(CanvasShapesTest, DrawEdgeRingsUseTheEdgeColoursWithCornersToBottomRight) {
  const TRect r{2, 3, 12, 11};
  struct Expect {
    TEdgeStyle style;
    TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
  };
  const Expect cases[] = {{TEdgeStyle::Raised, 0xDFDFDF, 0x000000, 0xFFFFFF, 0x808080},
                          {TEdgeStyle::Sunken, 0x808080, 0xFFFFFF, 0x000000, 0xDFDFDF}};
  for (const Expect& e : cases) {
    Surface s(16, 16, clRed);
    s.canvas.DrawEdge(r, e.style);
    auto ringColour = [&](int x, int y, const TRect& ring, TColor topLeft, TColor bottomRight) {
      return x == ring.Right - 1 || y == ring.Bottom - 1 ? bottomRight : topLeft;
    };
    const TRect inner{3, 4, 11, 10};
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        TColor expected = clRed;
        if (r.Contains(x, y) && !inner.Contains(x, y))
          expected = ringColour(x, y, r, e.outerTopLeft, e.outerBottomRight);
        else if (inner.Contains(x, y) && !TRect{4, 5, 10, 9}.Contains(x, y))
          expected = ringColour(x, y, inner, e.innerTopLeft, e.innerBottomRight);
        EXPECT_EQ(s.At(x, y), expected) << x << "," << y;
      }
    EXPECT_EQ(s.At(11, 3), e.outerBottomRight);  // top-right corner
    EXPECT_EQ(s.At(2, 10), e.outerBottomRight);  // bottom-left corner
    EXPECT_EQ(s.At(2, 3), e.outerTopLeft);
    EXPECT_EQ(s.At(10, 4), e.innerBottomRight);
  }
}

TEST(CanvasShapesTest, FocusRectInvertsEveryOtherBorderPixelAndTwiceRestores) {
  for (const TRect r :
       {TRect{1, 2, 11, 9}, TRect{3, 3, 4, 8}, TRect{2, 5, 9, 6}, TRect{4, 4, 5, 5}, TRect{2, 2, 4, 4}}) {
    Surface s(14, 14, 0x336699);
    s.canvas.DrawFocusRect(r);
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < 14; ++x) {
        const bool border = r.Contains(x, y) && (x == r.Left || x == r.Right - 1 || y == r.Top || y == r.Bottom - 1);
        EXPECT_EQ(s.At(x, y), border && (x + y) % 2 == 0 ? 0xCC9966 : 0x336699) << x << "," << y;
      }
    s.canvas.DrawFocusRect(r);
    EXPECT_TRUE(s.PixelsNot(0x336699).empty());
  }
}

// Shapes partly outside a small surface show what the same shapes show in
// that window of a larger surface; shapes far outside are harmless.
TEST(CanvasShapesTest, ClippedShapesMatchTheirUnclippedPixels) {
  auto draw = [](TCanvas& c, int d) {
    c.Brush().SetColor(clAqua);
    c.Rectangle(-20 + d, 5 + d, 15 + d, 60 + d);
    c.Ellipse(20 + d, -30 + d, 70 + d, 25 + d);
    const TPoint poly[] = {{-30 + d, 30 + d}, {35 + d, 45 + d}, {10 + d, 80 + d}};
    c.Polygon(poly);
    c.Pen().SetWidth(5);
    c.Arc(-10 + d, 20 + d, 60 + d, 70 + d, 100 + d, 45 + d, 25 + d, -100 + d);
    c.Brush().SetStyle(bsCross);
    c.Ellipse(30 + d, 30 + d, 55 + d, 55 + d);
  };
  Surface small(40, 40);
  Surface large(140, 140);
  draw(small.canvas, 0);
  draw(large.canvas, 48);  // a multiple of 8 keeps the hatch aligned
  EXPECT_TRUE(test::SameWindow(small.bitmap, large.bitmap, 48, 48));
}

TEST(CanvasShapesTest, ShapesFarOutsideOrHugeAreSafe) {
  Surface s(20, 20);
  s.canvas.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(s.At(10, 10), clWhite);  // inside of a huge rectangle: brush
  s.canvas.Brush().SetColor(clRed);
  s.canvas.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(s.At(10, 10), clRed);
  s.canvas.Ellipse(-1000000000, -5, 1000000000, 25);
  s.canvas.Arc(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 1, 1);
  const TPoint huge[] = {{INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}, {INT_MIN, INT_MAX}};
  s.canvas.Polygon(huge);
  s.canvas.Rectangle(100, 100, 200, 200);
  s.canvas.Ellipse(-200, -200, -100, -100);
  s.canvas.FillRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  s.canvas.DrawEdge({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, TEdgeStyle::Sunken);
  s.canvas.DrawFocusRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  s.canvas.Pen().SetWidth(7);
  s.canvas.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  s.canvas.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  s.canvas.Polygon(huge);
  EXPECT_EQ(s.At(10, 10), clRed);

  TBitmap empty;
  empty.Canvas().Ellipse(0, 0, 10, 10);
  empty.Canvas().Polygon(huge);
  empty.Canvas().DrawEdge({0, 0, 5, 5}, TEdgeStyle::Raised);
  EXPECT_TRUE(empty.Empty());
}

}  // namespace
}  // namespace tintoral
