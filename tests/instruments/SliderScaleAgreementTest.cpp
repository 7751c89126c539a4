// The scale map both ways, whatever the orientation, the scale's side, a
// reversed scale or crossed limits: the pointer's centre lands on the tick
// of its own value, and a press or a drag onto a tick takes that value.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

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

  // Back from pixels to values, from a position a quarter along: a press
  // (Goto) on the tick, and a drag (SlideOnly) from the pointer's centre to
  // the tick. Both land within two pixels' worth of the tick's value (the
  // tick may lie a pixel beside the pointer's middle, and the pointer
  // rounds to whole pixels).
  const double quarter = c.min + (c.max - c.min) / 4;
  const double tolerance = 2 * std::abs(c.max - c.min) / slider.UsableLength();
  auto pressAt = [&](int along) { return vertical ? std::pair{0, along} : std::pair{along, 0}; };
  slider.SetMouseControlStyle(ismcsGoto);
  slider.SetPosition(quarter);
  const auto [tickX, tickY] = pressAt(tick);
  slider.DispatchMouseDown(mbLeft, {ssLeft}, tickX, tickY);
  slider.DispatchMouseUp(mbLeft, {}, tickX, tickY);
  EXPECT_NEAR(slider.Position(), TickValue(c), tolerance) << "press";

  slider.SetMouseControlStyle(ismcsSlideOnly);
  slider.SetPosition(quarter);
  const SliderPicture quarterPicture(slider);
  const TRect q = slider.PointerRect();
  const auto [fromX, fromY] = pressAt(vertical ? q.Top + (q.Height() - 1) / 2 : q.Left + (q.Width() - 1) / 2);
  slider.DispatchMouseDown(mbLeft, {ssLeft}, fromX, fromY);
  slider.DispatchMouseMove({ssLeft}, tickX, tickY);
  slider.DispatchMouseUp(mbLeft, {}, tickX, tickY);
  EXPECT_NEAR(slider.Position(), TickValue(c), tolerance) << "drag";
}

std::string CaseName(const AgreementCase& c) {
  return std::string(c.orientation == ioVertical ? "Vertical" : "Horizontal") +
         (c.side == iosBottomRight ? "ScaleBottomRight" : "ScaleTopLeft") + (c.reverse ? "Reversed" : "") +
         (c.min > c.max ? "CrossedLimits" : "") + "Tick" + std::to_string(c.tickIndex);
}

// GoogleTest prints the parameter into the CTest name as well.
void PrintTo(const AgreementCase& c, std::ostream* out) { *out << CaseName(c); }

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
                         ::testing::ValuesIn(AllCases()), [](const auto& info) { return CaseName(info.param); });

}  // namespace
}  // namespace tintoral::test
