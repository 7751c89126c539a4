#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "instruments/base/PositionComponent.h"
#include "runtime/ClassBuilder.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"
#include "tests/instruments/base/ScaleTestSupport.h"

namespace tintoral {
namespace {

using Log = std::vector<std::string>;

// A position instrument that draws nothing and logs its data-link pushes.
class TTestPositionInstrument : public TiPositionComponent {
  TINTORAL_CLASS(TTestPositionInstrument, TiPositionComponent)

 public:
  explicit TTestPositionInstrument(TComponent* owner) : TiPositionComponent(owner) {}
  void PaintTo(TCanvas&) override {}
  void DataLinkPushPosition() override { log.Add("push"); }

  test::EventLog log;
};

const TClassInfo& TTestPositionInstrument::StaticClass() {
  static const TClassInfo info = DescribeClass<TTestPositionInstrument>(
      "TTestPositionInstrument", TiPositionComponent::StaticClass(), [](auto&) {});
  return info;
}

// Records every hook and event of the instrument into its log.
void RecordEverything(TTestPositionInstrument& p, bool permit = true) {
  test::EventLog& log = p.log;
  auto note = [&log](const char* name) { return [&log, name](TObject*) { log.Add(name); }; };
  p.SetEditPermissionHook([&log, permit](TObject*, const std::string& name, bool& allow) {
    log.Add("permit " + name);
    allow = permit;
  });
  p.SetPropertyChangeHook([&log](TObject*, const std::string& name) { log.Add("changed " + name); });
  p.SetOnPositionChange(note("OnPositionChange"));
  p.SetOnCurrentMaxChange(note("OnCurrentMaxChange"));
  p.SetOnCurrentMinChange(note("OnCurrentMinChange"));
  p.SetOnPositionOverMax(note("OnPositionOverMax"));
  p.SetOnPositionUnderMin(note("OnPositionUnderMin"));
  p.SetOnPositionChangeFinished(note("OnPositionChangeFinished"));
  p.SetOnPositionChangeUser(note("OnPositionChangeUser"));
  p.SetOnPositionOverLimit([&log](TObject*, std::int32_t i) { log.Add("OnPositionOverLimit " + std::to_string(i)); });
  p.SetOnPositionUnderLimit([&log](TObject*, std::int32_t i) { log.Add("OnPositionUnderLimit " + std::to_string(i)); });
}

class PositionComponentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RecordEverything(p);
    p.BeginUpdate();  // repaint requests only set the pending flags
  }
  Log Take() { return p.log.Take(); }

  TTestPositionInstrument p{nullptr};
};

TEST_F(PositionComponentTest, FirstChangeMovesThePeakBeforeThePositionEvents) {
  p.SetPosition(10);
  EXPECT_EQ(Take(), (Log{"permit Position", "OnCurrentMaxChange", "push", "changed Position", "OnPositionChange"}));
  EXPECT_EQ(p.Position(), 10);
  EXPECT_EQ(p.CurrentMax(), 10);
  EXPECT_TRUE(p.ChangedSinceFinish());
  EXPECT_TRUE(p.RepaintPending());
  EXPECT_FALSE(p.BackgroundRepaintPending());
}

TEST_F(PositionComponentTest, FixedPeaksReportOverAndUnder) {
  p.SetMinMaxFixed(true);
  p.SetCurrentMax(50);
  p.SetCurrentMin(20);
  EXPECT_EQ(Take(), (Log{"OnCurrentMaxChange", "OnCurrentMinChange", "OnPositionUnderMin"}));

  p.SetPosition(60);
  EXPECT_EQ(Take(), (Log{"permit Position", "OnPositionOverMax", "push", "changed Position", "OnPositionChange"}));
  EXPECT_EQ(p.CurrentMax(), 50);
  p.SetPosition(5);
  EXPECT_EQ(Take(), (Log{"permit Position", "OnPositionUnderMin", "push", "changed Position", "OnPositionChange"}));
  EXPECT_EQ(p.CurrentMin(), 20);
}

TEST_F(PositionComponentTest, PeaksFollowDownwardsInANegativeRange) {
  p.SetMinMax(-100, 100);
  Take();
  p.SetPosition(-10);
  EXPECT_EQ(Take(), (Log{"permit Position", "OnCurrentMinChange", "push", "changed Position", "OnPositionChange"}));
  EXPECT_EQ(p.CurrentMin(), -10);
}

TEST_F(PositionComponentTest, LimitBandsFireInListOrderAfterThePeaks) {
  p.LimitList().push_back(std::make_unique<TiLimitObject>());
  p.LimitList().push_back(std::make_unique<TiLimitObject>());
  p.LimitList()[0]->SetUpperValue(20);
  p.LimitList()[0]->SetLowerValue(10);
  p.LimitList()[1]->SetUpperValue(80);
  p.LimitList()[1]->SetLowerValue(60);
  p.SetPosition(50);
  EXPECT_EQ(Take(), (Log{"permit Position", "OnCurrentMaxChange", "OnPositionOverLimit 0", "OnPositionUnderLimit 1",
                         "push", "changed Position", "OnPositionChange"}));
}

TEST_F(PositionComponentTest, UserChangeSkipsThePushAndEndsWithTheUserEvent) {
  p.SetPosition(10);
  Take();
  p.SetUserChanging(true);
  p.SetPosition(20);
  p.SetUserChanging(false);
  EXPECT_EQ(Take(), (Log{"permit Position", "OnCurrentMaxChange", "changed Position", "OnPositionChange",
                         "OnPositionChangeUser"}));
  p.DoPositionChangeFinished();
  EXPECT_EQ(Take(), (Log{"push", "OnPositionChangeFinished"}));
  EXPECT_FALSE(p.ChangedSinceFinish());
  p.DoPositionChangeFinished();
  EXPECT_TRUE(Take().empty());
}

TEST_F(PositionComponentTest, ClampingAndEqualValues) {
  p.SetPosition(150);
  EXPECT_EQ(p.Position(), 100);
  Take();
  p.SetPosition(150);
  p.SetPosition(100);
  EXPECT_TRUE(Take().empty());

  p.SetPosition(0);
  Take();
  p.SetPosition(-5);
  EXPECT_EQ(p.Position(), 0);
  EXPECT_TRUE(Take().empty());

  p.SetPosition(std::nan(""));
  EXPECT_EQ(p.Position(), 0);
  EXPECT_TRUE(Take().empty());
}

TEST_F(PositionComponentTest, RefusedEditChangesNothing) {
  RecordEverything(p, false);
  p.SetPosition(10);
  EXPECT_EQ(Take(), (Log{"permit Position"}));
  EXPECT_EQ(p.Position(), 0);
  EXPECT_EQ(p.CurrentMax(), 0);
  EXPECT_FALSE(p.ChangedSinceFinish());
  EXPECT_FALSE(p.RepaintPending());
}

TEST_F(PositionComponentTest, LoweringTheMaximumPullsPeakAndPositionDown) {
  p.SetPosition(80);
  Take();
  p.SetPositionMax(50);
  EXPECT_EQ(Take(), (Log{"OnCurrentMaxChange", "OnPositionOverMax", "permit Position", "push", "changed Position",
                         "OnPositionChange"}));
  EXPECT_EQ(p.Position(), 50);
  EXPECT_EQ(p.CurrentMax(), 50);
  EXPECT_TRUE(p.BackgroundRepaintPending());

  p.SetPositionMax(50);  // equal: nothing
  EXPECT_TRUE(Take().empty());
}

TEST_F(PositionComponentTest, RaisingTheMinimumAboveTheMaximumIsAccepted) {
  p.SetPositionMin(120);
  EXPECT_EQ(p.PositionMin(), 120);
  EXPECT_EQ(p.PositionMax(), 100);
  EXPECT_EQ(p.Position(), 120);
  // The peaks clamp to the upper end when the ends are crossed.
  EXPECT_EQ(p.CurrentMax(), 100);
  EXPECT_EQ(p.CurrentMin(), 100);
  for (double v : {-10.0, 50.0, 500.0}) {
    p.SetPosition(v);
    EXPECT_EQ(p.Position(), 120);
  }
}

TEST_F(PositionComponentTest, NonFiniteLimitsAreRefused) {
  const double inf = std::numeric_limits<double>::infinity();
  for (double v : {inf, -inf, std::numeric_limits<double>::quiet_NaN()}) {
    p.SetPositionMax(v);
    p.SetPositionMin(v);
    p.SetMinMax(0, v);
    EXPECT_EQ(p.PositionMax(), 100) << v;
    EXPECT_EQ(p.PositionMin(), 0) << v;
  }
  EXPECT_EQ(Take(), Log{});
}

TEST_F(PositionComponentTest, PeakSettersClampIntoTheRange) {
  p.SetCurrentMax(500);
  EXPECT_EQ(p.CurrentMax(), 100);
  p.SetCurrentMin(-5);
  EXPECT_EQ(p.CurrentMin(), 0);
  EXPECT_EQ(Take(), (Log{"OnCurrentMaxChange"}));
  EXPECT_FALSE(p.RepaintPending());
}

TEST(PositionFractionTest, FractionOfTheRange) {
  TTestPositionInstrument p(nullptr);
  p.SetMinMax(10, 60);
  EXPECT_EQ(p.PositionFraction(35), 0.5);
  EXPECT_EQ(p.PositionFraction(61), 1);
  EXPECT_EQ(p.PositionFraction(5), 0);
  p.SetMinMax(10, 10);
  EXPECT_EQ(p.PositionFraction(10), 0);
}

TEST(PositionStreamTest, LoadingOnlyStores) {
  TTestPositionInstrument p(nullptr);
  RecordEverything(p);
  ReadRootComponentText(
      "object P: TTestPositionInstrument\n"
      "  Position = 150.0\n"
      "  PositionMax = 100.0\n"
      "  CurrentMax = 500.0\n"
      "  CurrentMin = -20.0\n"
      "  PositionMax_2 = 100.0\n"
      "end\n",
      p);
  EXPECT_TRUE(p.log.entries.empty());
  EXPECT_EQ(p.Position(), 150);
  EXPECT_EQ(p.CurrentMax(), 500);
  EXPECT_EQ(p.CurrentMin(), -20);
  EXPECT_FALSE(p.ChangedSinceFinish());

  // The first change after loading clamps.
  p.SetPosition(120);
  EXPECT_EQ(p.Position(), 100);
  EXPECT_EQ(p.log.Take(), (Log{"permit Position", "push", "changed Position", "OnPositionChange"}));
}

TEST(PositionStreamTest, CompanionAloneCarriesAZeroMaximum) {
  TTestPositionInstrument p(nullptr);
  ReadRootComponentText("object P: TTestPositionInstrument\n  PositionMax_2 = 0.0\nend\n", p);
  EXPECT_EQ(p.PositionMax(), 0);

  TTestPositionInstrument source(nullptr);
  source.SetPositionMax(0);
  const std::string text = WriteComponentText(source);
  EXPECT_EQ(text.find("PositionMax ="), std::string::npos) << text;
  EXPECT_NE(text.find("PositionMax_2 = 0"), std::string::npos) << text;
}

TEST(PositionStreamTest, CompanionRoundTripsADoubleExactly) {
  TTestPositionInstrument source(nullptr);
  const double max = 0.1 + 0.2;  // 0.30000000000000004
  source.SetPositionMax(max);
  std::string text = WriteComponentText(source);
  const auto companion = text.find("PositionMax_2 = ");
  const auto published = text.find("PositionMax = ");
  ASSERT_NE(companion, std::string::npos) << text;
  ASSERT_NE(published, std::string::npos) << text;
  EXPECT_LT(published, companion);
  // Without the published line the companion alone restores the value.
  text.erase(published, text.find('\n', published) - published + 1);
  TTestPositionInstrument copy(nullptr);
  ReadRootComponentText(text, copy);
  EXPECT_EQ(copy.PositionMax(), max);
  EXPECT_EQ(TiPositionComponent::StaticClass().StreamProperties().back()->Name(), "PositionMax_2");
}

}  // namespace
}  // namespace tintoral
