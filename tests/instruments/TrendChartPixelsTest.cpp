// The trend chart's direct pixel writes against the canvas they stand in for.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "instruments/TrendChartPixels.h"
#include "platform/graphics/Canvas.h"

namespace tintoral {
namespace {

struct JoinCase {
  int x, fromRow, toRow;
};

std::string JoinName(const JoinCase& c) {
  auto text = [](int v) { return (v < 0 ? "minus" : "") + std::to_string(v < 0 ? -v : v); };
  return "x" + text(c.x) + "_from" + text(c.fromRow) + "_to" + text(c.toRow);
}

// GoogleTest prints the parameter into the CTest name as well.
void PrintTo(const JoinCase& c, std::ostream* out) { *out << JoinName(c); }

class TrendJoin : public testing::TestWithParam<JoinCase> {};

// Flat, one row, short and long, up and down, and lines that leave the
// bitmap at each edge.
TEST_P(TrendJoin, PaintsWhatTheCanvasLinePaints) {
  const JoinCase& c = GetParam();
  constexpr TColor kInk = clRed;
  TBitmap expected(12, 20), actual(12, 20);
  expected.Fill(clWhite);
  actual.Fill(clWhite);
  TCanvas canvas(expected);
  canvas.Pen().SetColor(kInk);
  canvas.MoveTo(c.x, c.fromRow);
  canvas.LineTo(c.x + 1, c.toRow);
  JoinNextColumn(actual, c.x, c.fromRow, c.toRow, RGBToPixel(ColorToRGB(kInk)));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(actual.Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Lines, TrendJoin,
                         testing::Values(JoinCase{5, 9, 9}, JoinCase{5, 9, 10}, JoinCase{5, 9, 8}, JoinCase{5, 9, 11},
                                         JoinCase{5, 9, 7}, JoinCase{5, 2, 17}, JoinCase{5, 16, 1}, JoinCase{5, 4, 9},
                                         JoinCase{-1, 3, 12}, JoinCase{11, 12, 3}, JoinCase{3, -6, 7},
                                         JoinCase{3, 25, 8}, JoinCase{3, -4, 30}),
                         [](const testing::TestParamInfo<JoinCase>& info) { return JoinName(info.param); });

}  // namespace
}  // namespace tintoral
