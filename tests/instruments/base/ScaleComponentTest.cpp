#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "instruments/base/ScaleComponent.h"
#include "runtime/ClassBuilder.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"

namespace tintoral {
namespace {

// A scaled instrument that publishes the scale settings and draws nothing.
class TTestScaleInstrument : public TiScaleComponent {
  TINTORAL_CLASS(TTestScaleInstrument, TiScaleComponent)

 public:
  explicit TTestScaleInstrument(TComponent* owner) : TiScaleComponent(owner) {}
  void PaintTo(TCanvas&) override {}
};

const TClassInfo& TTestScaleInstrument::StaticClass() {
  static const TClassInfo info =
      DescribeClass<TTestScaleInstrument>("TTestScaleInstrument", TiScaleComponent::StaticClass(),
                                          [](auto& b) { PublishScaleProperties<TTestScaleInstrument>(b); });
  return info;
}

void ExpectLimits(const TiScaleComponent& c, double min, double max, int ticks) {
  EXPECT_EQ(c.PositionMin(), min);
  EXPECT_EQ(c.PositionMax(), max);
  EXPECT_EQ(c.TickMajorCount(), ticks);
}

TEST(ScaleComponentTest, ConstructionSetsTheSliderDefaults) {
  TTestScaleInstrument c(nullptr);
  EXPECT_TRUE(c.ShowTicksMajor());
  EXPECT_TRUE(c.ShowTicksMinor());
  EXPECT_TRUE(c.ShowTickLabels());
  EXPECT_EQ(c.PrecisionStyle(), ipsFixedDecimalPoints);
  EXPECT_EQ(c.AutoScaleDesiredTicks(), 5);
  EXPECT_EQ(c.AutoScaleMaxTicks(), 6);
  EXPECT_EQ(c.AutoScaleStyle(), iassAutoMinMax);
  EXPECT_FALSE(c.AutoScaleEnabled());

  // At their defaults none of the published scale settings is written.
  std::istringstream lines(WriteComponentText(c));
  for (std::string line; std::getline(lines, line);) {
    const bool scaleSetting = line.find("Tick") != std::string::npos || line.find("AutoScale") != std::string::npos ||
                              line.find("PrecisionStyle") != std::string::npos;
    if (scaleSetting) {
      EXPECT_NE(line.find("TickLabelFont."), std::string::npos) << line;
    }
  }
}

TEST(ScaleComponentTest, TickSettingsGoToTheScaleAndRepaintWithBackground) {
  TTestScaleInstrument c(nullptr);
  c.BeginUpdate();
  c.SetTickMajorCount(1);
  EXPECT_EQ(c.Scale().TickMajorCount(), 2);
  EXPECT_TRUE(c.BackgroundRepaintPending());
  EXPECT_FALSE(c.RepaintPending());
  c.EndUpdate();

  c.BeginUpdate();
  c.TickLabelFont().SetHeight(-20);
  EXPECT_TRUE(c.BackgroundRepaintPending());
  EXPECT_EQ(c.Scale().TickLabelFont().Height(), -20);
  c.EndUpdate();

  c.SetTickMinorColor(clRed);
  c.SetTickMinorStyle(ibsRaised);
  c.SetTickMinorAlignment(itmnaCenter);
  const std::string text = WriteComponentText(c);
  EXPECT_NE(text.find("TickMajorCount = 2"), std::string::npos) << text;
  EXPECT_NE(text.find("TickMinorColor = clRed"), std::string::npos) << text;
  EXPECT_NE(text.find("TickMinorStyle = ibsRaised"), std::string::npos) << text;
  EXPECT_NE(text.find("TickMinorAlignment = itmnaCenter"), std::string::npos) << text;
}

TEST(ScaleComponentTest, TickCountsBelowTwoAreIgnored) {
  TTestScaleInstrument c(nullptr);
  c.SetAutoScaleDesiredTicks(1);
  c.SetAutoScaleMaxTicks(0);
  EXPECT_EQ(c.AutoScaleDesiredTicks(), 5);
  EXPECT_EQ(c.AutoScaleMaxTicks(), 6);
  c.SetAutoScaleMaxTicks(8);
  EXPECT_EQ(c.Scale().AutoScaleMaxTicks(), 8);
}

TEST(ScaleComponentTest, AutoMinMaxMovesTheLimitsOntoRoundNumbers) {
  TTestScaleInstrument c(nullptr);
  c.SetMinMax(3, 97);
  c.SetTickMajorCount(9);
  c.SetAutoScaleEnabled(true);
  ExpectLimits(c, 0, 100, 5);

  c.SetAutoScaleEnabled(false);
  c.SetMinMax(-2.1, 7.3);
  c.SetAutoScaleEnabled(true);
  ExpectLimits(c, -2.5, 7.5, 5);

  // With auto-scale on, each limit setter goes through auto-scale.
  c.SetPositionMax(97);
  ExpectLimits(c, -25, 100, 6);
  c.SetPositionMin(0);
  ExpectLimits(c, 0, 100, 5);
}

TEST(ScaleComponentTest, AutoScalePullsThePositionThroughItsEvents) {
  TTestScaleInstrument c(nullptr);
  c.SetPosition(90);
  int changes = 0;
  c.SetOnPositionChange([&](TObject*) { ++changes; });
  c.SetAutoScaleEnabled(true);
  c.SetPositionMax(7.3);  // 0 .. 7.5
  EXPECT_EQ(c.PositionMax(), 7.5);
  EXPECT_EQ(c.Position(), 7.5);
  EXPECT_EQ(changes, 1);
}

TEST(ScaleComponentTest, AutoScaleThatFindsNoRoundRangeKeepsTheLimitsAndThePosition) {
  TTestScaleInstrument c(nullptr);
  c.SetMinMax(-1, 1);
  c.SetPosition(0.5);
  c.SetAutoScaleMaxTicks(2);
  int events = 0;
  c.SetOnPositionChange([&](TObject*) { ++events; });
  c.SetOnCurrentMaxChange([&](TObject*) { ++events; });
  c.SetAutoScaleEnabled(true);
  ExpectLimits(c, -1, 1, 2);
  EXPECT_EQ(c.Position(), 0.5);
  EXPECT_EQ(events, 0);
}

TEST(ScaleComponentTest, FixedMinMaxKeepsTheLimitsAndPlacesTheTicks) {
  TTestScaleInstrument c(nullptr);
  c.SetMinMax(3, 97);
  c.SetAutoScaleStyle(iassFixedMinMax);
  c.BeginUpdate();
  c.SetAutoScaleEnabled(true);
  EXPECT_TRUE(c.BackgroundRepaintPending());
  c.EndUpdate();
  ExpectLimits(c, 3, 97, 4);
  EXPECT_EQ(c.TickRangeMin(), 20);
  EXPECT_EQ(c.TickRangeMax(), 80);
  EXPECT_EQ(c.Scale().TickRangeMin(), 20);
  EXPECT_EQ(c.Scale().TickRangeMax(), 80);
  EXPECT_EQ(c.Scale().AutoScaleStyle(), iassFixedMinMax);
  EXPECT_TRUE(c.Scale().AutoScaleEnabled());
}

TEST(ScaleComponentTest, AutoScaleRunsOnceLoadingHasEnded) {
  TTestScaleInstrument c(nullptr);
  ReadRootComponentText(
      "object S: TTestScaleInstrument\n"
      "  PositionMax = 97.0\n"
      "  PositionMin = 3.0\n"
      "  TickMajorCount = 9\n"
      "  AutoScaleEnabled = True\n"
      "  PositionMax_2 = 97.0\n"
      "end\n",
      c);
  ExpectLimits(c, 0, 100, 5);
}

TEST(ScaleComponentTest, LabelPrecisionFollowsTheLimits) {
  TTestScaleInstrument c(nullptr);
  c.SetPrecisionStyle(ipsSignificantDigits);
  c.SetTickLabelPrecision(3);
  EXPECT_EQ(c.GetLabelPrecision(), 0);  // range 100
  c.SetPositionMax(1);
  EXPECT_EQ(c.GetLabelPrecision(), 2);
  c.SetPositionMax(0.5);
  EXPECT_EQ(c.GetLabelPrecision(), 3);
  c.SetPrecisionStyle(ipsFixedDecimalPoints);
  EXPECT_EQ(c.GetLabelPrecision(), 3);
}

}  // namespace
}  // namespace tintoral
