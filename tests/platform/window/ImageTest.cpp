#include <gtest/gtest.h>

#include "platform/window/StandardPainting.h"

namespace tintoral {
namespace {

TEST(ImagePlacementTest, PictureKeepsItsSizeUnlessStretched) {
  EXPECT_EQ(ImageDestRect(292, 191, 261, 149, {}), (TRect{0, 0, 292, 191}));
  EXPECT_EQ(ImageDestRect(292, 191, 261, 149, {.stretch = true}), (TRect{0, 0, 261, 149}));
  EXPECT_EQ(ImageDestRect(20, 10, 100, 50, {.center = true}), (TRect{40, 20, 60, 30}));
}

TEST(ImagePlacementTest, ProportionalKeepsTheAspectAndShrinksOnlyWhatIsTooLarge) {
  // 292 × 191 into 261 × 149: the height limits, width = trunc(149 × 292 / 191).
  EXPECT_EQ(ImageDestRect(292, 191, 261, 149, {.proportional = true}), (TRect{0, 0, 227, 149}));
  EXPECT_EQ(ImageDestRect(100, 200, 50, 300, {.proportional = true}), (TRect{0, 0, 50, 100}));
  // Small pictures are not enlarged without Stretch, but are with it.
  EXPECT_EQ(ImageDestRect(20, 10, 100, 100, {.proportional = true}), (TRect{0, 0, 20, 10}));
  EXPECT_EQ(ImageDestRect(20, 10, 100, 100, {.stretch = true, .proportional = true}), (TRect{0, 0, 100, 50}));
  EXPECT_EQ(ImageDestRect(20, 10, 100, 100, {.stretch = true, .center = true, .proportional = true}),
            (TRect{0, 25, 100, 75}));
}

}  // namespace
}  // namespace tintoral
