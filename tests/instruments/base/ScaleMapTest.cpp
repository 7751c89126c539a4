// The rounding rules of the scale map, in both directions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "instruments/base/ScaleMap.h"
#include "platform/window/Control.h"

namespace tintoral::test {
namespace {

TEST(ScaleMap, ValueToPixelRoundsToNearestTiesToEvenAndRunsOnBeyondTheEnds) {
  const TScaleMap map{0, 100, 10, 30};  // five units a pixel
  const struct {
    double value;
    int pixel;
  } cases[] = {{0, 10}, {100, 30}, {7.5, 12}, {12.5, 12}, {17.5, 14}, {-50, 0}, {150, 40}, {1e300, kCoordinateLimit}};
  for (const auto& c : cases) EXPECT_EQ(map.ValueToPixel(c.value), c.pixel) << c.value;
  EXPECT_EQ(map.Reversed().ValueToPixel(0), 30);
  EXPECT_EQ((TScaleMap{100, 0, 10, 30}.ValueToPixel(25)), 25);  // crossed limits: min stays on minPixel
  EXPECT_EQ((TScaleMap{40, 40, 10, 30}.ValueToPixel(40)), 20);  // equal limits: the middle
  EXPECT_EQ(map.ValueToPixel(std::numeric_limits<double>::quiet_NaN()), 10);
}

TEST(ScaleMap, PixelToValueIsExactWithinTheRangeAndHeldToIt) {
  const TScaleMap map{0, 100, 10, 30};
  EXPECT_DOUBLE_EQ(map.PixelToValue(15.5, -1), 27.5);
  EXPECT_DOUBLE_EQ(map.PixelToValue(0, -1), 0);
  EXPECT_DOUBLE_EQ(map.PixelToValue(99, -1), 100);
  EXPECT_DOUBLE_EQ(map.Reversed().PixelToValue(15.5, -1), 72.5);
  EXPECT_DOUBLE_EQ((TScaleMap{0, 100, 10, 10}.PixelToValue(10, -1)), -1);  // no pixels: the fallback
  for (int pixel = 10; pixel <= 30; ++pixel) EXPECT_EQ(map.ValueToPixel(map.PixelToValue(pixel, -1)), pixel);
}

TEST(ScaleMap, ValueChangeFollowsTheDirectionOfTheMapUnbounded) {
  const TScaleMap map{0, 100, 10, 30};
  EXPECT_DOUBLE_EQ(map.ValueChange(4), 20);
  EXPECT_DOUBLE_EQ(map.ValueChange(-40), -200);
  EXPECT_DOUBLE_EQ(map.Reversed().ValueChange(4), -20);
}

}  // namespace
}  // namespace tintoral::test
