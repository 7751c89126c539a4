#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "instruments/base/AutoScale.h"

namespace tintoral {
namespace {

void ExpectScale(const TAutoScaleResult& result, std::int32_t count, double lo, double hi) {
  EXPECT_EQ(result.count, count);
  EXPECT_EQ(result.lo, lo);
  EXPECT_EQ(result.hi, hi);
}

TEST(NiceTickCountTest, PicksTheNiceCountClosestToTheDesiredOne) {
  EXPECT_EQ(NiceTickCount(5, 6, 100), 5);  // step 25
  EXPECT_EQ(NiceTickCount(3, 6, 100), 3);  // step 50
  EXPECT_EQ(NiceTickCount(2, 6, 10), 2);   // step 10
  EXPECT_EQ(NiceTickCount(5, 6, 7.5), 4);  // step 2.5; 7.5 / 4 and 7.5 / 5 are not nice
}

TEST(NiceTickCountTest, TieGoesToTheLargerCount) {
  // Nice counts for span 100 are 2, 3, 5 and 6; 3 and 5 are both one away from 4.
  EXPECT_EQ(NiceTickCount(4, 6, 100), 5);
}

TEST(NiceTickCountTest, NoNiceStepGivesOneMoreThanTheMaximum) {
  EXPECT_EQ(NiceTickCount(5, 6, 70), 7);  // 70, 35, 23.33, 17.5, 14
  EXPECT_EQ(NiceTickCount(5, 1, 100), 2);
  EXPECT_EQ(NiceTickCount(5, 6, 0), 7);
  EXPECT_EQ(NiceTickCount(5, 6, -100), 7);
}

TEST(NiceTickCountTest, StepsBelowOne) {
  EXPECT_EQ(NiceTickCount(5, 5, 1), 5);      // 0.25
  EXPECT_EQ(NiceTickCount(3, 3, 0.15), 3);   // 0.075
  EXPECT_EQ(NiceTickCount(4, 4, 0.9), 5);    // 0.9, 0.45, 0.3: none
  EXPECT_EQ(NiceTickCount(2, 6, 0.001), 2);  // 0.001
}

TEST(FitRangeTest, OutsideCoversTheRangeOnMultiplesOfTheStep) {
  TRangeFit fit = FitRangeOutside(5, 10, -2.1, 7.3);
  EXPECT_TRUE(fit.ok);
  EXPECT_EQ(fit.lo, -2.5);
  EXPECT_EQ(fit.hi, 7.5);

  fit = FitRangeOutside(5, 100, 3, 97);  // both positive: up from zero
  EXPECT_TRUE(fit.ok);
  EXPECT_EQ(fit.lo, 0);
  EXPECT_EQ(fit.hi, 100);

  fit = FitRangeOutside(3, 10, 1, 4);  // -5 .. 5 is pushed up off negative values
  EXPECT_TRUE(fit.ok);
  EXPECT_EQ(fit.lo, 0);
  EXPECT_EQ(fit.hi, 10);

  fit = FitRangeOutside(5, 100, -97, -3);  // both negative: down from zero
  EXPECT_TRUE(fit.ok);
  EXPECT_EQ(fit.lo, -100);
  EXPECT_EQ(fit.hi, 0);

  fit = FitRangeOutside(3, 10, -8, 9);  // too narrow a span
  EXPECT_FALSE(fit.ok);
}

TEST(FitRangeTest, InsideStaysWithinTheRangeAndReachesNearItsTop) {
  TRangeFit fit = FitRangeInside(4, 60, 3, 97);
  EXPECT_TRUE(fit.ok);
  EXPECT_EQ(fit.lo, 20);
  EXPECT_EQ(fit.hi, 80);

  fit = FitRangeInside(4, 75, 3, 97);  // 25 .. 100 pokes out at the top
  EXPECT_FALSE(fit.ok);

  fit = FitRangeInside(3, 10, -2.1, 7.3);  // straddling zero: from the first multiple above min
  EXPECT_FALSE(fit.ok);                    // 0 .. 10
  fit = FitRangeInside(2, 5, -2.1, 7.3);
  EXPECT_TRUE(fit.ok);
  EXPECT_EQ(fit.lo, 0);
  EXPECT_EQ(fit.hi, 5);

  fit = FitRangeInside(3, 20, -97, -3);  // both negative: down from zero to below max
  EXPECT_TRUE(fit.ok);
  EXPECT_EQ(fit.lo, -30);
  EXPECT_EQ(fit.hi, -10);
  fit = FitRangeInside(3, 20, -97, -23);
  EXPECT_TRUE(fit.ok);
  EXPECT_EQ(fit.lo, -50);
  EXPECT_EQ(fit.hi, -30);
}

TEST(AutoScaleOutsideTest, RoundsTheLimitsOutwards) {
  ExpectScale(AutoScaleOutside(5, 6, 3, 97), 5, 0, 100);
  ExpectScale(AutoScaleOutside(5, 6, -2.1, 7.3), 5, -2.5, 7.5);
  ExpectScale(AutoScaleOutside(5, 6, -97, -3), 5, -100, 0);
  ExpectScale(AutoScaleOutside(5, 6, 0, 100), 5, 0, 100);
  ExpectScale(AutoScaleOutside(3, 6, 120, 430), 3, 0, 500);  // 200 .. 600 misses 120
}

TEST(AutoScaleOutsideTest, EqualOrNonFiniteLimitsGiveTwoTicksOnThem) {
  ExpectScale(AutoScaleOutside(5, 6, 42, 42), 2, 42, 42);
  const double inf = std::numeric_limits<double>::infinity();
  ExpectScale(AutoScaleOutside(5, 6, 0, inf), 2, 0, inf);
  const TAutoScaleResult nan = AutoScaleOutside(5, 6, 0, std::nan(""));
  EXPECT_EQ(nan.count, 2);
}

// Ranges no round candidate fits, and spans past the largest double, keep
// two ticks on the limits themselves.
TEST(AutoScaleTest, WithoutAFittingCandidateTheLimitsStand) {
  struct Case {
    std::int32_t desired, maxTicks;
    double min, max;
  };
  const Case cases[] = {{2, 2, -1, 1}, {5, 6, -1e308, 1e308}, {5, 6, 0, 1.7e308}, {5, 6, -1.7e308, -1e300}};
  for (const Case& c : cases) {
    ExpectScale(AutoScaleOutside(c.desired, c.maxTicks, c.min, c.max), 2, c.min, c.max);
    const TAutoScaleResult inside = AutoScaleInside(c.desired, c.maxTicks, c.min, c.max);
    EXPECT_GE(inside.lo, c.min) << c.max;
    EXPECT_LE(inside.hi, c.max) << c.max;
    EXPECT_LE(inside.lo, inside.hi) << c.max;
  }
}

TEST(AutoScaleOutsideTest, NarrowRangeFarFromZeroEndsAndCoversTheRange) {
  const double min = 1e12, max = 1e12 + 1;
  const TAutoScaleResult result = AutoScaleOutside(5, 6, min, max);
  EXPECT_LE(result.lo, min);
  EXPECT_GE(result.hi, max);
  EXPECT_GE(result.count, 2);
  EXPECT_LE(result.count, 6);
}

TEST(AutoScaleInsideTest, PlacesTheWidestRoundTickRangeInside) {
  ExpectScale(AutoScaleInside(5, 6, 3, 97), 4, 20, 80);
  ExpectScale(AutoScaleInside(5, 6, 0, 100), 5, 0, 100);
  ExpectScale(AutoScaleInside(5, 6, 42, 42), 2, 42, 42);
}

TEST(AutoScaleInsideTest, ResultLiesInsideAndEndsLessThanAStepBelowTheTop) {
  struct Range {
    double min, max;
  };
  for (const Range range : {Range{-2.1, 7.3}, Range{-97, -3}, Range{0.07, 0.93}, Range{567, 1234}}) {
    const TAutoScaleResult r = AutoScaleInside(5, 6, range.min, range.max);
    SCOPED_TRACE(range.max);
    ASSERT_GE(r.count, 2);
    ASSERT_LE(r.count, 6);
    const double step = (r.hi - r.lo) / (r.count - 1);
    EXPECT_GE(r.lo, range.min);
    EXPECT_LE(r.hi, range.max);
    EXPECT_GT(r.hi + step, range.max);
  }
}

}  // namespace
}  // namespace tintoral
