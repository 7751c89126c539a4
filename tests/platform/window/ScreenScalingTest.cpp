#include <gtest/gtest.h>

#include "platform/window/ScreenScaling.h"

namespace tintoral {
namespace {

TEST(ScreenScalingTest, FactorTextsRunAtTheNearestWholeFactorAndNeverBelowOne) {
  const struct {
    const char* text;
    std::optional<int> whole;
  } cases[] = {{"1", 1},  {"2", 2},   {"1.49", 1}, {"1.5", 2},  {"2.6", 3},   {"0.5", 1},  {"0.25", 1},
               {"0", {}}, {"-2", {}}, {"", {}},    {"two", {}}, {"1.5x", {}}, {"nan", {}}, {"inf", {}}};
  for (const auto& c : cases) EXPECT_EQ(WholeScaleFactorForText(c.text), c.whole) << '"' << c.text << '"';
}

TEST(ScreenScalingTest, EveryScreenFactorOfTheListIsMadeWhole) {
  const struct {
    const char* text;
    const char* whole;
  } cases[] = {{"1.5", "2"}, {"HDMI-1=1.5;DP-2=2.4", "HDMI-1=2;DP-2=2"}, {"1.25;x;", "1;x;"}, {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(WholeScreenScaleFactorsText(c.text), c.whole) << c.text;
}

TEST(ScreenScalingTest, ZoomedClientTakesTheLargestFactorThatFitsCentred) {
  const struct {
    int wanted;
    bool fill;
    int windowWidth, windowHeight;
    TZoomPlacement placement;
  } cases[] = {
      {2, false, 200, 100, {2, 0, 0}},       // exactly the wanted size
      {3, false, 200, 100, {2, 0, 0}},       // 3x does not fit: 2x
      {1, true, 1000, 1000, {4, 300, 400}},  // filling: at most 4x
      {1, true, 350, 310, {3, 25, 80}},      // filling: the largest that fits, centred
      {2, false, 90, 40, {1, 0, 0}},         // smaller than 1x: 1x at the corner
  };
  for (const auto& c : cases)
    EXPECT_EQ(PlaceZoomedClient(c.wanted, c.fill, 4, c.windowWidth, c.windowHeight, 100, 50), c.placement)
        << c.wanted << (c.fill ? " fill " : " ") << c.windowWidth << "x" << c.windowHeight;
}

}  // namespace
}  // namespace tintoral
