// The generators' values over time.
#include <gtest/gtest.h>

#include <cmath>

#include "linklib/sim/Generator.h"

namespace tintoral::sim {
namespace {

GeneratorSettings Settings(GeneratorKind kind, double min, double max, double period) {
  GeneratorSettings settings;
  settings.kind = kind;
  settings.min = min;
  settings.max = max;
  settings.period = period;
  return settings;
}

TEST(GeneratorTest, ConstantRampAndSineFollowTheirPeriod) {
  GeneratorSettings constant;
  constant.value = 7.5;
  struct Case {
    GeneratorSettings settings;
    double seconds;
    double expected;
  };
  const Case cases[] = {
      {constant, 0, 7.5},
      {constant, 1000, 7.5},
      {Settings(GeneratorKind::Ramp, 10, 20, 4), 0, 10},
      {Settings(GeneratorKind::Ramp, 10, 20, 4), 1, 12.5},
      {Settings(GeneratorKind::Ramp, 10, 20, 4), 3.96, 19.9},
      {Settings(GeneratorKind::Ramp, 10, 20, 4), 4, 10},  // starts again
      {Settings(GeneratorKind::Ramp, 10, 20, 4), 9, 12.5},
      {Settings(GeneratorKind::Sine, -1, 3, 8), 0, 1},  // the middle, rising
      {Settings(GeneratorKind::Sine, -1, 3, 8), 2, 3},
      {Settings(GeneratorKind::Sine, -1, 3, 8), 4, 1},
      {Settings(GeneratorKind::Sine, -1, 3, 8), 6, -1},
      {Settings(GeneratorKind::Sine, -1, 3, 8), 10, 3},
      {Settings(GeneratorKind::Sine, 5, 5, 1), 0.3, 5},  // no range: a constant
  };
  for (const Case& c : cases) {
    Generator generator(c.settings);
    EXPECT_NEAR(generator.ValueAt(c.seconds), c.expected, 1e-9)
        << static_cast<int>(c.settings.kind) << " at " << c.seconds;
  }
}

TEST(GeneratorTest, AWalkStartsInTheMiddleStepsOncePerPeriodAtMostStepAndStaysInRange) {
  GeneratorSettings settings = Settings(GeneratorKind::Walk, 0, 10, 0.5);
  settings.step = 3;
  Generator walk(settings, 42);
  EXPECT_EQ(walk.ValueAt(0.49), 5) << "no step is due yet";
  double previous = 5;
  bool moved = false, reachedEdgeHalf = false;
  for (int step = 1; step <= 2000; ++step) {
    const double value = walk.ValueAt(step * 0.5);
    EXPECT_LE(std::abs(value - previous), 3 + 1e-9) << "step " << step;
    EXPECT_TRUE(value >= 0 && value <= 10) << value;
    EXPECT_EQ(walk.ValueAt(step * 0.5 + 0.2), value) << "no second step within a period";
    moved = moved || value != previous;
    reachedEdgeHalf = reachedEdgeHalf || value < 2 || value > 8;
    previous = value;
  }
  EXPECT_TRUE(moved);
  EXPECT_TRUE(reachedEdgeHalf) << "the walk wanders over its range";

  Generator again(settings, 42);
  EXPECT_EQ(again.ValueAt(1000), previous) << "the same seed walks the same way, however the time is sampled";
}

}  // namespace
}  // namespace tintoral::sim
