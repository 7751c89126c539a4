#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "instruments/base/ScaleObject.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/window/Control.h"
#include "runtime/NumberText.h"
#include "system/Locale.h"
#include "tests/instruments/base/ScaleTestSupport.h"
#include "tests/support/MainWindowScale.h"

namespace tintoral {
namespace {

using test::PixelSet;
using test::Row;
using test::SetUpMainWindowScale;

// The rows of the main window's slider scale: 0 at row 164, 100 at row 12.
constexpr int kMajorRows[] = {164, 126, 88, 50, 12};
constexpr int kMinorRows[] = {156, 149, 141, 134, 118, 111, 103, 96, 80, 73, 65, 58, 42, 35, 27, 20};
constexpr int kEdge = test::kMainWindowScaleEdge;
constexpr int kMajorStart = kEdge + 5;           // TickMargin
constexpr int kLabelLine = kMajorStart + 7 + 5;  // TickMajorLength + TickLabelMargin

class ScaleDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SystemColors::ResetToClassic();
    SetUpMainWindowScale(scale);
    test::Fill(bitmap, clWhite);
  }
  void Draw() { scale.DrawScale(bitmap.Canvas()); }
  PixelSet TickPixels() const { return test::PixelsNot(bitmap, clWhite, {0, 0, kLabelLine, 177}); }
  PixelSet LabelPixels() const { return test::PixelsNot(bitmap, clWhite, {kLabelLine, 0, 65, 177}); }
  // Where a label of this text belongs, left-aligned on the label line and
  // centred on its tick row.
  TRect LabelBox(const std::string& text, int row) {
    TCanvas& canvas = bitmap.Canvas();
    const int w = canvas.TextWidth(text), h = canvas.TextHeight(text);
    return {kLabelLine, row - h / 2, kLabelLine + w, row - h / 2 + h};
  }

  TiScaleObject scale;
  TBitmap bitmap{65, 177};
};

PixelSet MainWindowTicks(int minorLeft = kMajorStart) {
  PixelSet expected;
  for (int row : kMajorRows) expected.merge(Row(kMajorStart, kMajorStart + 7, row));
  for (int row : kMinorRows) expected.merge(Row(minorLeft, minorLeft + 3, row));
  return expected;
}

TEST_F(ScaleDrawingTest, MainWindowScaleHasMajorAndMinorTicksOnExactRows) {
  Draw();
  EXPECT_EQ(TickPixels(), MainWindowTicks());
  for (const auto& [x, y] : TickPixels()) ASSERT_EQ(bitmap.Pixel(x, y), clBlack);
}

TEST_F(ScaleDrawingTest, MainWindowLabelsSitBesideTheirTicks) {
  std::vector<std::pair<int, std::string>> labels;
  scale.SetOnCustomizeTickLabel([&](TObject* sender, std::int32_t index, std::string& text) {
    EXPECT_EQ(sender, &scale);
    labels.emplace_back(index, text);
  });
  Draw();
  const std::vector<std::pair<int, std::string>> expectedLabels = {
      {0, "0"}, {1, "25"}, {2, "50"}, {3, "75"}, {4, "100"}};
  EXPECT_EQ(labels, expectedLabels);

  const PixelSet all = LabelPixels();
  PixelSet covered;
  for (int i = 0; i < 5; ++i) {
    const TRect box = LabelBox(expectedLabels[i].second, kMajorRows[i]);
    const PixelSet inBox = test::PixelsNot(bitmap, clWhite, box);
    EXPECT_FALSE(inBox.empty()) << expectedLabels[i].second;
    covered.insert(inBox.begin(), inBox.end());
  }
  EXPECT_EQ(covered, all) << "label pixels outside the label boxes";
  // "100" is three digits wide, "0" one.
  EXPECT_GT(test::Bounds(test::PixelsNot(bitmap, clWhite, LabelBox("100", 12))).Width(),
            2 * test::Bounds(test::PixelsNot(bitmap, clWhite, LabelBox("0", 164))).Width());
}

TEST_F(ScaleDrawingTest, EqualLimitsPutEveryTickAndLabelOnTheMiddlePixel) {
  scale.SetScaleRange(40, 40);
  std::vector<std::string> texts;
  scale.SetOnCustomizeTickLabel([&](TObject*, std::int32_t, std::string& text) { texts.push_back(text); });
  Draw();
  EXPECT_EQ(TickPixels(), Row(kMajorStart, kMajorStart + 7, 88));
  EXPECT_EQ(texts, std::vector<std::string>(5, "40"));
  EXPECT_TRUE(test::Inside(test::Bounds(LabelPixels()), LabelBox("40", 88)));
}

TEST_F(ScaleDrawingTest, MinorTicksNeedMajorTicks) {
  scale.SetShowTicksMajor(false);
  Draw();
  EXPECT_TRUE(TickPixels().empty());
  EXPECT_FALSE(LabelPixels().empty());
}

TEST_F(ScaleDrawingTest, ReverseScaleMovesTheMinimumToTheLastPixel) {
  scale.SetReverseScale(true);
  std::vector<std::pair<int, std::string>> labels;
  scale.SetOnCustomizeTickLabel(
      [&](TObject*, std::int32_t index, std::string& text) { labels.emplace_back(index, text); });
  Draw();
  EXPECT_EQ(labels, (std::vector<std::pair<int, std::string>>{{0, "0"}, {1, "25"}, {2, "50"}, {3, "75"}, {4, "100"}}));
  EXPECT_FALSE(test::PixelsNot(bitmap, clWhite, LabelBox("0", 12)).empty());
  EXPECT_FALSE(test::PixelsNot(bitmap, clWhite, LabelBox("100", 164)).empty());
  EXPECT_TRUE(test::PixelsNot(bitmap, clWhite, LabelBox("100", 12)).size() <
              test::PixelsNot(bitmap, clWhite, LabelBox("100", 164)).size());
  // Ticks mirror around the middle row 88.
  PixelSet mirrored;
  for (const auto& [x, y] : MainWindowTicks()) mirrored.insert({x, 176 - y});
  EXPECT_EQ(TickPixels(), mirrored);
}

TEST_F(ScaleDrawingTest, CustomizedLabelReplacesTheText) {
  scale.SetOnCustomizeTickLabel([](TObject*, std::int32_t index, std::string& text) {
    if (index == 2) text.clear();
    if (index == 4) text = "max";
  });
  Draw();
  EXPECT_TRUE(test::PixelsNot(bitmap, clWhite, LabelBox("50", 88)).empty());
  const TRect maxBox = LabelBox("max", 12);
  const PixelSet nearTop = test::PixelsNot(bitmap, clWhite, {kLabelLine, 0, 65, 30});
  EXPECT_TRUE(test::Inside(test::Bounds(nearTop), maxBox));
  EXPECT_GT(test::Bounds(nearTop).Width(),
            test::Bounds(test::PixelsNot(bitmap, clWhite, LabelBox("100", 12))).Width() / 2);
}

TEST_F(ScaleDrawingTest, MinorTickAlignmentAlongTheMajorTick) {
  scale.SetShowTickLabels(false);
  scale.SetTickMinorAlignment(itmnaOutside);  // 7 - 3 = 4 pixels in
  Draw();
  EXPECT_EQ(TickPixels(), MainWindowTicks(kMajorStart + 4));

  test::Fill(bitmap, clWhite);
  scale.SetTickMinorAlignment(itmnaCenter);  // 7 div 2 - 3 div 2 = 2 pixels in
  Draw();
  EXPECT_EQ(TickPixels(), MainWindowTicks(kMajorStart + 2));
}

TEST_F(ScaleDrawingTest, TickColoursAndBevel) {
  scale.SetShowTickLabels(false);
  scale.SetTickMajorColor(clRed);
  scale.SetTickMinorColor(clBlue);
  Draw();
  EXPECT_EQ(bitmap.Pixel(kMajorStart, 88), clRed);
  EXPECT_EQ(bitmap.Pixel(kMajorStart, 96), clBlue);

  test::Fill(bitmap, clGray);
  scale.SetTickMajorStyle(ibsLowered);  // black row, white row below it
  Draw();
  for (int x = kMajorStart; x < kMajorStart + 7; ++x) {
    EXPECT_EQ(bitmap.Pixel(x, 88), clBlack);
    EXPECT_EQ(bitmap.Pixel(x, 89), clWhite);
  }
}

TEST(ScaleDrawingLayoutTest, HorizontalTopLeftScaleGrowsUpwards) {
  SystemColors::ResetToClassic();
  TiScaleObject scale;
  SetUpMainWindowScale(scale);
  scale.SetOrientation(ioHorizontal);
  scale.SetSide(iosTopLeft);
  scale.SetPixelSpan(10, 110);  // one pixel per unit
  scale.SetEdgePixel(60);
  TBitmap bitmap(130, 70);
  test::Fill(bitmap, clWhite);
  scale.DrawScale(bitmap.Canvas());

  // Major ticks run from row 55 up 7 pixels (rows 48..54), minor ticks 3 (52..54).
  PixelSet expected;
  for (int v = 0; v <= 100; v += 5) {
    const int top = v % 25 == 0 ? 48 : 52;
    for (int y = top; y < 55; ++y) expected.insert({10 + v, y});
  }
  EXPECT_EQ(test::PixelsNot(bitmap, clWhite, {0, 44, 130, 70}), expected);

  // Labels end on the label line 55 - 12 = 43 and are centred on their ticks.
  TCanvas& canvas = bitmap.Canvas();
  for (int v = 0; v <= 100; v += 25) {
    const std::string text = std::to_string(v);
    const int w = canvas.TextWidth(text), h = canvas.TextHeight(text);
    const TRect box{10 + v - w / 2, 43 - h, 10 + v - w / 2 + w, 43};
    EXPECT_FALSE(test::PixelsNot(bitmap, clWhite, box).empty()) << text;
  }
}

TEST_F(ScaleDrawingTest, FixedTickRangeContinuesMinorTicksToTheScaleEnds) {
  scale.SetShowTickLabels(false);
  scale.SetAutoScaleEnabled(true);
  scale.SetAutoScaleStyle(iassFixedMinMax);
  scale.SetTickRange(20, 80);
  scale.SetTickMajorCount(4);  // major step 20, minor step 4
  Draw();
  PixelSet expected;
  for (int v = 20; v <= 80; v += 20) expected.merge(Row(kMajorStart, kMajorStart + 7, scale.ValueToPixel(v)));
  for (int v = 0; v <= 100; v += 4)
    if (v % 20 != 0 || v < 20 || v > 80) expected.merge(Row(kMajorStart, kMajorStart + 3, scale.ValueToPixel(v)));
  EXPECT_EQ(TickPixels(), expected);
}

TEST_F(ScaleDrawingTest, FixedStyleOnACrossedRangeEnds) {
  // Auto-scale off: the tick range is the scale range, here running downwards.
  scale.SetShowTickLabels(false);
  scale.SetAutoScaleStyle(iassFixedMinMax);
  scale.SetScaleRange(100, 0);
  Draw();
  EXPECT_EQ(TickPixels(), MainWindowTicks());
}

TEST(ScaleObjectTest, SettersClampAndNotifyOnlyOnChange) {
  TiScaleObject scale;
  int changes = 0;
  scale.SetOnChange([&](TObject* sender) {
    EXPECT_EQ(sender, &scale);
    ++changes;
  });
  scale.SetTickMajorCount(1);
  EXPECT_EQ(scale.TickMajorCount(), 2);
  scale.SetTickMajorCount(500);
  EXPECT_EQ(scale.TickMajorCount(), 100);
  scale.SetTickMinorCount(0);
  EXPECT_EQ(scale.TickMinorCount(), 1);
  scale.SetTickMinorCount(101);
  EXPECT_EQ(scale.TickMinorCount(), 100);
  scale.SetTickMinorLength(-3);
  EXPECT_EQ(scale.TickMinorLength(), 1);
  scale.SetTickMajorLength(0);
  EXPECT_EQ(scale.TickMajorLength(), 1);
  scale.SetTickLabelPrecision(-1);
  EXPECT_EQ(scale.TickLabelPrecision(), 0);
  scale.SetTickMargin(-4);  // stored as given
  EXPECT_EQ(scale.TickMargin(), -4);
  EXPECT_EQ(changes, 8);

  scale.SetTickMargin(-4);
  scale.SetTickMajorColor(clBlack);
  scale.SetPrecisionStyle(ipsSignificantDigits);
  scale.SetScaleRange(0, 10);  // drawing inputs do not notify
  scale.SetPixelSpan(0, 10);
  EXPECT_EQ(changes, 8);

  TFont font;
  font.SetHeight(-20);
  scale.SetTickLabelFont(font);
  EXPECT_EQ(scale.TickLabelFont().Height(), -20);
  scale.TickLabelFont().SetColor(clRed);
  EXPECT_EQ(changes, 10);
}

TEST(ScaleObjectTest, ValueToPixelRoundsHalvesToEvenAndExtrapolates) {
  TiScaleObject scale;
  scale.SetScaleRange(0, 100);
  scale.SetPixelSpan(0, 10);
  EXPECT_EQ(scale.ValueToPixel(25), 2);  // 2.5 -> 2
  EXPECT_EQ(scale.ValueToPixel(35), 4);  // 3.5 -> 4
  EXPECT_EQ(scale.ValueToPixel(100), 10);
  EXPECT_EQ(scale.ValueToPixel(200), 20);
  EXPECT_EQ(scale.ValueToPixel(-50), -5);
  scale.SetReverseScale(true);
  EXPECT_EQ(scale.ValueToPixel(0), 10);
  EXPECT_EQ(scale.ValueToPixel(100), 0);

  scale.SetScaleRange(7, 7);  // (a + b) div 2, truncating toward zero
  scale.SetPixelSpan(-3, 0);
  EXPECT_EQ(scale.ValueToPixel(7), -1);
  EXPECT_EQ(scale.ValueToPixel(1e300), -1);

  scale.SetScaleRange(0, 1);
  scale.SetPixelSpan(0, 100);
  scale.SetReverseScale(false);
  EXPECT_EQ(scale.ValueToPixel(1e300), kCoordinateLimit) << "held to the coordinate limit";
  EXPECT_EQ(scale.ValueToPixel(-1e300), -kCoordinateLimit);
}

TEST(ScaleObjectTest, EffectivePrecision) {
  TiScaleObject scale;
  scale.SetTickLabelPrecision(3);
  const std::pair<double, int> significant[] = {{100, 0}, {1, 2}, {0.5, 3}, {1000, 0}, {0, 1}, {10, 1}};
  for (const auto& [range, decimals] : significant) {
    scale.SetScaleRange(-range, 0);
    EXPECT_EQ(scale.EffectivePrecision(), decimals) << range;
  }
  // The largest precision over a narrow range stays the largest instead of wrapping.
  scale.SetTickLabelPrecision(std::numeric_limits<std::int32_t>::max());
  for (const double range : {0.001, 1e-300}) {
    scale.SetScaleRange(0, range);
    EXPECT_EQ(scale.EffectivePrecision(), std::numeric_limits<std::int32_t>::max()) << range;
  }
  scale.SetTickLabelPrecision(0);
  EXPECT_EQ(scale.EffectivePrecision(), 0);
  scale.SetPrecisionStyle(ipsFixedDecimalPoints);
  scale.SetTickLabelPrecision(2);
  scale.SetScaleRange(0, 1000);
  EXPECT_EQ(scale.EffectivePrecision(), 2);
  const ScopedDecimalSeparator comma(',');
  EXPECT_EQ(scale.LabelText(12.5), "12,50");
  EXPECT_EQ(scale.LabelText(-0.125), "-0,13");  // half away from zero
}

// Whole labels without decimals read as the general fixed formatting writes them.
TEST(ScaleObjectTest, WholeLabelsWithoutDecimalsMatchTheFixedText) {
  TiScaleObject scale;
  scale.SetScaleRange(0, 100);
  ASSERT_EQ(scale.EffectivePrecision(), 0);
  for (const double value : {0.0, -0.0, 10.0, -10.0, 100.0, 999999999999999.0, 1e15, -4503599627370497.0, 2.5, -0.5})
    EXPECT_EQ(scale.LabelText(value), FixedText(value, 0)) << value;
}

}  // namespace
}  // namespace tintoral
