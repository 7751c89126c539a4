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

}  // namespace
}  // namespace tintoral
