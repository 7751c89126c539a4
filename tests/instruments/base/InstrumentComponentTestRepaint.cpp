// Repaint requests: the frame-rate gate with a fake clock, the update
// bracket and the generic setters.
#include <gtest/gtest.h>

#include <QApplication>
#include <cmath>

#include "InstrumentTestSupport.h"
#include "platform/window/Form.h"

namespace tintoral::test {
namespace {

constexpr double kFrame60 = 1.0 / 60.0;  // seconds

class InstrumentRepaintTest : public ::testing::Test {
 protected:
  FakeClock clock{45000.0};
  TTestInstrument instrument{nullptr};
};

TEST_F(InstrumentRepaintTest, WithoutTheGateEverySetterChangeInvalidatesAndEqualValuesDoNothing) {
  instrument.SetBackGroundColor(clRed);
  instrument.SetBackGroundColor(clRed);
  instrument.SetOffsetX(3);
  instrument.SetUpdateFrameRate(60);  // unchanged
  EXPECT_EQ(instrument.invalidations, 2);
  EXPECT_FALSE(instrument.RepaintPending());
  EXPECT_FALSE(instrument.BackgroundRepaintPending());
}

TEST_F(InstrumentRepaintTest, TheGenericSetterRequestsByKind) {
  int field = 1;
  EXPECT_TRUE(instrument.SetPropertyField(2, field, irkStoreOnly));
  EXPECT_EQ(field, 2);
  EXPECT_EQ(instrument.invalidations, 0);
  double value = 0.1;
  EXPECT_FALSE(instrument.SetPropertyField(0.1, value, irkRepaint));
  EXPECT_TRUE(instrument.SetPropertyField(std::nextafter(0.1, 1.0), value, irkRepaint));  // compared exactly
  EXPECT_EQ(instrument.invalidations, 1);

  instrument.BeginUpdate();
  instrument.SetPropertyField(5, field, irkRepaint);
  EXPECT_TRUE(instrument.RepaintPending());
  EXPECT_FALSE(instrument.BackgroundRepaintPending());
  instrument.SetErrorFlag(true);  // the error flag asks for a background repaint
  EXPECT_TRUE(instrument.BackgroundRepaintPending());
}

TEST_F(InstrumentRepaintTest, TheGateHoldsBackRequestsInsideOneFrameAndLetsLaterOnesThrough) {
  instrument.SetAutoFrameRate(true);  // at construction time: held back
  EXPECT_EQ(instrument.invalidations, 0);
  EXPECT_TRUE(instrument.BackgroundRepaintPending());

  clock.AdvanceSeconds(kFrame60 * 0.5);
  instrument.RequestRepaint();
  EXPECT_EQ(instrument.invalidations, 0);
  EXPECT_TRUE(instrument.RepaintPending());

  clock.AdvanceSeconds(kFrame60 * 0.6);  // now past one frame since the last repaint
  instrument.RequestRepaint();
  EXPECT_EQ(instrument.invalidations, 1);
  EXPECT_FALSE(instrument.RepaintPending());
  EXPECT_FALSE(instrument.BackgroundRepaintPending());
  EXPECT_DOUBLE_EQ(instrument.LastRepaintTime(), TiComponent::ClockNow());

  instrument.RequestBackgroundRepaint();  // right after the repaint: held again
  EXPECT_EQ(instrument.invalidations, 1);
  EXPECT_TRUE(instrument.BackgroundRepaintPending());
}

TEST_F(InstrumentRepaintTest, AFrameRateOfZeroMeansNoLimit) {
  instrument.SetUpdateFrameRate(0);
  instrument.SetAutoFrameRate(true);
  instrument.RequestRepaint();
  instrument.RequestRepaint();
  EXPECT_EQ(instrument.invalidations, 4);  // the rate, the gate switched on, two requests
}

TEST_F(InstrumentRepaintTest, SwitchingTheGateOffCarriesOutAHeldRepaint) {
  instrument.SetAutoFrameRate(true);
  instrument.RequestRepaint();
  EXPECT_EQ(instrument.invalidations, 0);
  instrument.SetAutoFrameRate(false);
  EXPECT_EQ(instrument.invalidations, 1);
  EXPECT_FALSE(instrument.RepaintPending());
}

TEST_F(InstrumentRepaintTest, TheUpdateBracketIsAFlagAndHoldsRequestsUntilItCloses) {
  instrument.BeginUpdate();
  instrument.BeginUpdate();
  instrument.SetBackGroundColor(clRed);
  instrument.SetOffsetY(4);
  instrument.RequestRepaint();
  EXPECT_EQ(instrument.invalidations, 0);
  instrument.EndUpdate();  // the first EndUpdate closes it
  EXPECT_FALSE(instrument.Updating());
  EXPECT_EQ(instrument.invalidations, 1);
  instrument.EndUpdate();  // nothing held: nothing to do
  EXPECT_EQ(instrument.invalidations, 1);
}

TEST_F(InstrumentRepaintTest, EndUpdateGoesThroughTheGate) {
  instrument.SetAutoFrameRate(true);
  instrument.BeginUpdate();
  instrument.RequestRepaint();
  instrument.EndUpdate();
  EXPECT_EQ(instrument.invalidations, 0);  // still inside the frame
  EXPECT_TRUE(instrument.RepaintPending());
  clock.AdvanceSeconds(1);
  instrument.BeginUpdate();
  instrument.EndUpdate();
  EXPECT_EQ(instrument.invalidations, 1);
}

TEST_F(InstrumentRepaintTest, TurningTheGateOffInsideABracketClosesIt) {
  instrument.SetAutoFrameRate(true);
  instrument.BeginUpdate();
  instrument.RequestRepaint();
  instrument.SetAutoFrameRate(false);
  EXPECT_FALSE(instrument.Updating());
  EXPECT_EQ(instrument.invalidations, 1);
}

TEST(InstrumentRepaintOnScreenTest, SeveralChangesBeforeThePaintGiveOnePaint) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 120, 80);
  auto* instrument = new TTestInstrument(&form);
  instrument->SetBounds(5, 5, 50, 40);
  instrument->SetParent(&form);
  form.Show();
  QApplication::processEvents();
  instrument->paints = 0;
  instrument->SetBackGroundColor(clRed);
  instrument->SetBorderStyle(ibsRaised);
  instrument->SetOffsetX(2);
  QApplication::processEvents();
  EXPECT_EQ(instrument->paints, 1);
  EXPECT_EQ(instrument->PaintBuffer().Pixel(30 + 2, 25),
            static_cast<TColor>(ColorToRGB(clRed)));  // the mark moved with the offset
}

TEST(InstrumentGeometryTest, CenterPointAndPointAtAngleRoundHalvesToEven) {
  TTestInstrument instrument(nullptr);
  instrument.SetBounds(0, 0, 65, 177);
  EXPECT_EQ(instrument.GetCenterPoint(), (TPoint{32, 88}));
  instrument.SetOffsetX(-40);
  instrument.SetOffsetY(3);
  EXPECT_EQ(instrument.GetCenterPoint(), (TPoint{-8, 91}));

  EXPECT_EQ(TiComponent::PointAtAngle({0, 0}, 2.5, 0), (TPoint{2, 0}));
  EXPECT_EQ(TiComponent::PointAtAngle({0, 0}, 3.5, 0), (TPoint{4, 0}));
  EXPECT_EQ(TiComponent::PointAtAngle({10, 10}, 2.5, 180), (TPoint{8, 10}));   // 7.5 -> 8
  EXPECT_EQ(TiComponent::PointAtAngle({10, 10}, 1.5, 90), (TPoint{10, 8}));    // y = 8.5 -> 8
  EXPECT_EQ(TiComponent::PointAtAngle({10, 10}, 0.5, 270), (TPoint{10, 10}));  // y = 10.5 -> 10
  EXPECT_EQ(TiComponent::PointAtAngle({0, 0}, 10, 45), (TPoint{7, -7}));
  EXPECT_EQ(TiComponent::PointAtAngle({0, 0}, 10, -30), (TPoint{9, 5}));
}

}  // namespace
}  // namespace tintoral::test
