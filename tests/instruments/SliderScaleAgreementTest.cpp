// The pointer's centre lands on the tick of its own value, whatever the
// orientation, the scale's side, a reversed scale or crossed limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

#include "tests/instruments/SliderTestSupport.h"

namespace tintoral::test {
namespace {

struct AgreementCase {
  TiOrientation orientation;
  TiOrientationSide side;
  bool reverse;
  double min;
  double max;
  int tickIndex;  // of three major ticks: the tick whose value the position takes
};

// The value of tick `index` of three over [min, max].
double TickValue(const AgreementCase& c) { return c.min + c.tickIndex * (c.max - c.min) / 2; }

class SliderScaleAgreement : public ::testing::TestWithParam<AgreementCase> {};

TEST_P(SliderScaleAgreement, PointerCentreLandsOnTheTickOfItsValue) {
  const AgreementCase& c = GetParam();
  TiSlider slider(nullptr);
  slider.SetOrientation(c.orientation);
  slider.SetBounds(0, 0, c.orientation == ioVertical ? 90 : 240, c.orientation == ioVertical ? 240 : 90);
  slider.SetOrientationTickMarks(c.side);
  slider.SetReverseScale(c.reverse);
  slider.SetPositionMin(c.min);
  slider.SetPositionMax(c.max);
  slider.SetPosition(TickValue(c));
  slider.SetTickMajorCount(3);
  slider.SetShowTicksMinor(false);
  slider.SetTickMajorStyle(ibsNone);
  slider.SetTickMajorColor(clLime);
  TFont font;
  font.SetColor(clBlue);
  slider.SetTickLabelFont(font);
  // Only the label of the position's tick is written, so that it marks which tick is which.
  slider.SetOnCustomizeTickLabel(
      [&](TObject*, std::int32_t index, std::string& text) { text = index == c.tickIndex ? "X" : ""; });
  const SliderPicture picture(slider);

  // The tick nearest the middle of the one label written is that value's tick.
  const bool vertical = c.orientation == ioVertical;
  auto along = [vertical](const std::pair<int, int>& p) { return vertical ? p.second : p.first; };
  std::set<int> ticks, label;
  for (const auto& p : picture.PixelsOf(clLime)) ticks.insert(along(p));
  for (const auto& p : picture.PixelsOf(clBlue)) label.insert(along(p));
  ASSERT_EQ(ticks.size(), 3u);
  ASSERT_FALSE(label.empty());
  const int labelCentre = (*label.begin() + *label.rbegin()) / 2;
  const int tick = *std::min_element(
      ticks.begin(), ticks.end(), [&](int a, int b) { return std::abs(a - labelCentre) < std::abs(b - labelCentre); });

  // The pointer's centre: its middle pixel, either of the two for an even length.
  const TRect r = slider.PointerRect();
  const int start = vertical ? r.Top : r.Left;
  const int length = vertical ? r.Height() : r.Width();
  EXPECT_GE(tick, start + (length - 1) / 2);
  EXPECT_LE(tick, start + length / 2);
}

std::vector<AgreementCase> AllCases() {
  std::vector<AgreementCase> cases;
  for (TiOrientation orientation : {ioVertical, ioHorizontal})
    for (TiOrientationSide side : {iosBottomRight, iosTopLeft})
      for (bool reverse : {false, true}) {
        for (int index : {0, 1, 2}) cases.push_back({orientation, side, reverse, 0, 100, index});
        // Crossed limits hold the position at PositionMin, the first tick.
        cases.push_back({orientation, side, reverse, 100, 0, 0});
      }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(OrientationsSidesReverseAndCrossedLimits, SliderScaleAgreement,
                         ::testing::ValuesIn(AllCases()));

}  // namespace
}  // namespace tintoral::test
