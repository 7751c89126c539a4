// The waveform monitor: each bar's Y and composite extent agree with a
// reference computed here from the program's coefficients, the 100 % bars
// reach the composite limits and the 75 % bars stay inside them, and the
// surface that keeps the line draws, colour after colour and set after set,
// exactly the picture drawn afresh, saying the part it changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "app/WaveformMonitor.h"
#include "platform/graphics/Bitmap.h"
#include "system/Locale.h"
#include "tests/app/AppTestSupport.h"

namespace tintoral {
namespace {

// Per cent: Y = 0.3 R + 0.59 G + 0.11 B, U = 0.492 (B − Y), V = 0.877 (R − Y),
// C = √(U² + V²); a bar is on (at the set's amplitude) or off in R, G, B.
TWaveformLevels Reference(double amplitude, bool r, bool g, bool b) {
  const double red = r ? amplitude : 0, green = g ? amplitude : 0, blue = b ? amplitude : 0;
  const double y = 0.3 * red + 0.59 * green + 0.11 * blue;
  const double c = std::hypot(0.492 * (blue - y), 0.877 * (red - y));
  return {y, y - c, y + c};
}

TEST(WaveformMonitorTest, BarLevelsAgreeWithTheCoefficientsAndOnlyFullBarsReachTheLimits) {
  // White, yellow, cyan, green, magenta, red, blue, black.
  const bool on[kColorBarCount][3] = {{1, 1, 1}, {1, 1, 0}, {0, 1, 1}, {0, 1, 0},
                                      {1, 0, 1}, {1, 0, 0}, {0, 0, 1}, {0, 0, 0}};
  for (const auto& [set, amplitude] : {std::pair{TBarSet::Full, 100.0}, std::pair{TBarSet::Reduced, 75.0}}) {
    double low = 0, high = 0;
    for (int i = 0; i < kColorBarCount; ++i) {
      SCOPED_TRACE("bar " + std::to_string(i) + " at " + std::to_string(amplitude));
      const TWaveformLevels expected = Reference(amplitude, on[i][0], on[i][1], on[i][2]);
      const TWaveformLevels shown = BarWaveformLevels(set, i);
      EXPECT_NEAR(shown.Luma, expected.Luma, 1e-9);
      EXPECT_NEAR(shown.Low, expected.Low, 1e-9);
      EXPECT_NEAR(shown.High, expected.High, 1e-9);
      low = std::min(low, shown.Low);
      high = std::max(high, shown.High);
    }
    if (set == TBarSet::Full) {
      EXPECT_LE(low, kCompositeLow);    // blue: 11 - 44.8
      EXPECT_GE(high, kCompositeHigh);  // yellow: 89 + 44.8
    } else {
      EXPECT_GT(low, kCompositeLow);
      EXPECT_LT(high, kCompositeHigh);
    }
  }
}

TEST(WaveformMonitorTest, SummarySaysTheSetsExtentAndTheCurrentLevelsInTheLocale) {
  const ScopedDecimalSeparator comma(',');
  EXPECT_EQ(WaveformSummary(TBarSet::Full, ComputeColorSignals(100, 0, 0)),
            "Monitor de forma de onda, barras 100 %: se\xF1"
            "al compuesta de -33,8 % a 133,8 %; "
            "color actual: Y 30,0 %, compuesta de -33,1 % a 93,1 %");
}

TEST(WaveformMonitorTest, TheSurfaceDrawsWhatAFreshDrawingDraws) {
  app_testing::RegisterLayoutClasses();
  TBitmap kept(kWaveformWidth, kWaveformHeight);
  TWaveformSurface surface;
  const std::pair<TBarSet, TSliderColor> steps[] = {
      {TBarSet::Full, {100, 0, 0}},    {TBarSet::Full, {0, 0, 0}},       {TBarSet::Reduced, {37.5, 62, 18.3}},
      {TBarSet::Reduced, {75, 75, 0}}, {TBarSet::Full, {100, 100, 100}}, {TBarSet::Full, {0, 0, 100}}};
  for (const auto& [set, c] : steps) {
    const TColorSignalValues values = ComputeColorSignals(c.Red, c.Green, c.Blue);
    TBitmap before;
    before.Assign(kept);
    const TRect changed = surface.Redraw(kept.Canvas(), set, values);
    TBitmap fresh(kWaveformWidth, kWaveformHeight);
    TWaveformSurface::Draw(fresh.Canvas(), set, values);
    SCOPED_TRACE(std::to_string(c.Red) + " " + std::to_string(c.Green) + " " + std::to_string(c.Blue));
    EXPECT_TRUE(app_testing::PixelsOf(kept) == app_testing::PixelsOf(fresh));
    EXPECT_TRUE(app_testing::ChangesLieIn(before, kept, {changed}));
  }
}

}  // namespace
}  // namespace tintoral
