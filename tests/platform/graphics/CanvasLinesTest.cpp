#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "CanvasTestSupport.h"

namespace tintoral {
namespace {

using test::PixelSet;
using test::Surface;

PixelSet LinePixels(TPoint from, TPoint to, int size = 40) {
  Surface s(size, size);
  s.canvas.MoveTo(from.X, from.Y);
  s.canvas.LineTo(to.X, to.Y);
  return s.PixelsOf(clBlack);
}

TEST(CanvasLinesTest, HorizontalAndVerticalLinesKeepTheStartAndDropTheEnd) {
  EXPECT_EQ(LinePixels({2, 5}, {7, 5}), (PixelSet{{2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}}));
  EXPECT_EQ(LinePixels({7, 5}, {2, 5}), (PixelSet{{7, 5}, {6, 5}, {5, 5}, {4, 5}, {3, 5}}));  // right to left
  EXPECT_EQ(LinePixels({4, 3}, {4, 6}), (PixelSet{{4, 3}, {4, 4}, {4, 5}}));
  EXPECT_EQ(LinePixels({4, 6}, {4, 3}), (PixelSet{{4, 6}, {4, 5}, {4, 4}}));  // bottom to top
  EXPECT_TRUE(LinePixels({4, 4}, {4, 4}).empty());
}

TEST(CanvasLinesTest, SlopedLinesStepLikeBresenham) {
  EXPECT_EQ(LinePixels({0, 0}, {5, 2}), (PixelSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
  EXPECT_EQ(LinePixels({0, 0}, {4, 4}), (PixelSet{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
  EXPECT_EQ(LinePixels({4, 4}, {0, 0}), (PixelSet{{4, 4}, {3, 3}, {2, 2}, {1, 1}}));
  EXPECT_EQ(LinePixels({2, 0}, {0, 6}), (PixelSet{{2, 0}, {2, 1}, {1, 2}, {1, 3}, {1, 4}, {0, 5}}));
}

// Every line of a fan: as many pixels as its longer extent, 8-connected steps
// from the start, the start painted, the end not.
TEST(CanvasLinesTest, LinesInEveryDirectionAreUnbrokenAndStopBeforeTheirEnd) {
  const TPoint centre{20, 20};
  for (int dx = -15; dx <= 15; dx += 3)
    for (int dy = -15; dy <= 15; dy += 5) {
      if (dx == 0 && dy == 0) continue;
      const TPoint end{centre.X + dx, centre.Y + dy};
      const PixelSet pixels = LinePixels(centre, end);
      SCOPED_TRACE(testing::Message() << "to " << dx << "," << dy);
      EXPECT_EQ(pixels.size(), static_cast<std::size_t>(std::max(std::abs(dx), std::abs(dy))));
      EXPECT_TRUE(pixels.count({centre.X, centre.Y}));
      EXPECT_FALSE(pixels.count({end.X, end.Y}));
      for (const auto& [x, y] : pixels) {
        // Each pixel but the last has a neighbour one step further along the major axis.
        bool last = std::abs(dx) >= std::abs(dy) ? x == end.X - (dx > 0 ? 1 : -1) : y == end.Y - (dy > 0 ? 1 : -1);
        if (last) continue;
        bool linked = false;
        for (int ny = -1; ny <= 1; ++ny)
          for (int nx = -1; nx <= 1; ++nx)
            if ((nx || ny) && pixels.count({x + nx, y + ny}) &&
                (std::abs(x + nx - end.X) + std::abs(y + ny - end.Y) < std::abs(x - end.X) + std::abs(y - end.Y)))
              linked = true;
        EXPECT_TRUE(linked) << x << "," << y;
      }
    }
}

TEST(CanvasLinesTest, LineToMovesThePenAndPolylinesPaintEachCornerOnce) {
  Surface s(20, 20, clBlack);
  s.canvas.Pen().SetColor(clWhite);
  s.canvas.Pen().SetMode(pmXor);  // a pixel painted twice would turn black again
  s.canvas.MoveTo(2, 2);
  s.canvas.LineTo(8, 2);
  EXPECT_EQ(s.canvas.PenPos(), (TPoint{8, 2}));
  s.canvas.LineTo(8, 8);
  EXPECT_EQ(s.At(8, 2), clWhite);
  EXPECT_EQ(s.At(8, 8), clBlack);

  Surface p(20, 20, clBlack);
  p.canvas.Pen().SetColor(clWhite);
  p.canvas.Pen().SetMode(pmXor);
  const TPoint path[] = {{2, 2}, {8, 2}, {8, 8}, {2, 8}};
  p.canvas.Polyline(path);
  PixelSet expected;
  for (int x = 2; x < 8; ++x) expected.insert({x, 2});
  for (int y = 2; y < 8; ++y) expected.insert({8, y});
  for (int x = 8; x > 2; --x) expected.insert({x, 8});
  EXPECT_EQ(p.PixelsOf(clWhite), expected);  // (2, 8), the last point, stays black
}

std::vector<bool> HorizontalPattern(TPenStyle style, int length) {
  Surface s(length + 2, 3);
  s.canvas.Pen().SetStyle(style);
  s.canvas.MoveTo(0, 1);
  s.canvas.LineTo(length, 1);
  std::vector<bool> on;
  for (int x = 0; x < length; ++x) on.push_back(s.At(x, 1) == clBlack);
  return on;
}

std::vector<bool> Pattern(std::initializer_list<int> runs, int length) {
  std::vector<bool> on;
  while (static_cast<int>(on.size()) < length) {
    bool paint = true;
    for (int run : runs) {
      for (int i = 0; i < run; ++i) on.push_back(paint);
      paint = !paint;
    }
  }
  on.resize(length);
  return on;
}

TEST(CanvasLinesTest, CosmeticPenStylesDrawTheirDashes) {
  EXPECT_EQ(HorizontalPattern(psDash, 60), Pattern({18, 6}, 60));
  EXPECT_EQ(HorizontalPattern(psDot, 20), Pattern({3, 3}, 20));
  EXPECT_EQ(HorizontalPattern(psDashDot, 60), Pattern({9, 6, 3, 6}, 60));
  EXPECT_EQ(HorizontalPattern(psDashDotDot, 60), Pattern({9, 3, 3, 3, 3, 3}, 60));
  EXPECT_EQ(HorizontalPattern(psInsideFrame, 10), Pattern({10}, 10));
  EXPECT_EQ(HorizontalPattern(psClear, 10), std::vector<bool>(10, false));
}

TEST(CanvasLinesTest, DashGapsLeavePixelsUntouchedAndRunOnAcrossCorners) {
  Surface s(40, 40, clRed);
  s.canvas.Pen().SetStyle(psDot);
  const TPoint path[] = {{0, 0}, {4, 0}, {4, 10}};
  s.canvas.Polyline(path);
  // Pixel steps along the path: (0..3, 0) then (4, 0..9); dots on steps 0-2, 6-8, 12-14.
  PixelSet expected{{0, 0}, {1, 0}, {2, 0}, {4, 2}, {4, 3}, {4, 4}, {4, 8}, {4, 9}};
  EXPECT_EQ(s.PixelsOf(clBlack), expected);
  EXPECT_EQ(s.PixelsOf(clRed).size(), 40u * 40u - expected.size());
}

TEST(CanvasLinesTest, WidePensAreRoundAndCentredOnThePath) {
  Surface s(30, 30);
  s.canvas.Pen().SetWidth(3);
  s.canvas.MoveTo(5, 10);
  s.canvas.LineTo(15, 10);
  for (int x = 5; x <= 15; ++x)
    for (int y = 9; y <= 11; ++y) EXPECT_EQ(s.At(x, y), clBlack) << x << "," << y;
  EXPECT_EQ(s.At(10, 8), clWhite);
  EXPECT_EQ(s.At(10, 12), clWhite);
  EXPECT_EQ(s.At(4, 10), clBlack);  // round ends reach half the width beyond the points
  EXPECT_EQ(s.At(16, 10), clBlack);
  EXPECT_EQ(s.At(3, 10), clWhite);
  EXPECT_EQ(s.At(17, 10), clWhite);
  EXPECT_EQ(s.At(4, 8), clWhite);  // corners of the caps are rounded off

  Surface even(30, 30);
  even.canvas.Pen().SetWidth(2);
  even.canvas.MoveTo(10, 5);
  even.canvas.LineTo(10, 20);
  EXPECT_EQ(even.At(9, 12), clBlack);
  EXPECT_EQ(even.At(10, 12), clBlack);
  EXPECT_EQ(even.At(8, 12), clWhite);
  EXPECT_EQ(even.At(11, 12), clWhite);

  Surface dot(30, 30);  // a line to the current point paints nothing, wide or not
  dot.canvas.Pen().SetWidth(3);
  dot.canvas.MoveTo(10, 10);
  dot.canvas.LineTo(10, 10);
  EXPECT_TRUE(dot.PixelsOf(clBlack).empty());
}

TEST(CanvasLinesTest, WidePolylinesPaintOverlapsOnce) {
  Surface s(30, 30, clBlack);
  s.canvas.Pen().SetWidth(5);
  s.canvas.Pen().SetColor(clWhite);
  s.canvas.Pen().SetMode(pmXor);
  const TPoint path[] = {{5, 5}, {20, 5}, {20, 20}, {6, 6}};
  s.canvas.Polyline(path);
  EXPECT_EQ(s.At(20, 5), clWhite);  // the join, covered by both segments
  EXPECT_EQ(s.At(7, 6), clWhite);   // first and last segment overlap here
  EXPECT_EQ(s.At(13, 13), clWhite);
}

// A line drawn on a small surface shows exactly what the same line shows in
// that window of a larger surface.
TEST(CanvasLinesTest, ClippedLinesMatchTheirUnclippedPixels) {
  const TPoint ends[][2] = {{{-45, -30}, {70, 52}}, {{60, -40}, {-35, 65}}, {{-50, 10}, {80, 11}},
                            {{10, 80}, {12, -45}},  {{-40, 39}, {85, 0}},   {{39, -50}, {0, 80}}};
  for (const auto& e : ends) {
    Surface small(40, 40);
    Surface large(140, 140);
    small.canvas.MoveTo(e[0].X, e[0].Y);
    small.canvas.LineTo(e[1].X, e[1].Y);
    large.canvas.MoveTo(e[0].X + 50, e[0].Y + 50);
    large.canvas.LineTo(e[1].X + 50, e[1].Y + 50);
    EXPECT_TRUE(test::SameWindow(small.bitmap, large.bitmap, 50, 50)) << e[0].X << "," << e[0].Y;
    EXPECT_FALSE(small.PixelsOf(clBlack).empty());
  }
}

TEST(CanvasLinesTest, SteepLinesOnAOneColumnSurface) {
  TBitmap narrow(1, 10);
  narrow.Canvas().MoveTo(0, 0);
  narrow.Canvas().LineTo(1, 9);  // moves to column 1 after half the rows
  for (int y = 0; y < 10; ++y) EXPECT_EQ(narrow.Pixel(0, y), y < 5 ? clBlack : clWhite) << y;
}

TEST(CanvasLinesTest, ExtremeCoordinatesAreSafe) {
  Surface s(20, 20);
  s.canvas.MoveTo(INT_MIN, INT_MIN);
  s.canvas.LineTo(INT_MAX, INT_MAX);
  EXPECT_EQ(s.At(5, 5), clBlack);
  EXPECT_EQ(s.At(5, 6), clWhite);
  s.canvas.MoveTo(INT_MAX, 3);
  s.canvas.LineTo(INT_MIN, 3);
  EXPECT_EQ(s.At(0, 3), clBlack);
  EXPECT_EQ(s.At(19, 3), clBlack);
  s.canvas.Pen().SetWidth(4);
  s.canvas.LineTo(INT_MIN, INT_MAX);
  s.canvas.LineTo(INT_MAX, INT_MIN);
  const TPoint far[] = {{-100000, -100000}, {-100000, 100000}, {INT_MAX, 0}};
  s.canvas.Polyline(far);
  TBitmap empty;
  empty.Canvas().MoveTo(0, 0);
  empty.Canvas().LineTo(10, 10);
  EXPECT_TRUE(empty.Empty());
}

}  // namespace
}  // namespace tintoral
