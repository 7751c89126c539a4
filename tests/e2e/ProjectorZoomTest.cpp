// The real program under Xvfb, zoomed for a projector: Ctrl+Plus makes the
// window 2x, then 3x, each time exactly formshot's 1x picture in whole
// blocks; the factor is remembered in the user's settings folder, so the
// next start opens at 3x, and Ctrl+0 goes back to 1x.
//
// The page control has the focus as the window starts and draws a focus
// rectangle on its tab: the tab strip is left out, as in MainWindowTest.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "tests/e2e/support/FormShot.h"
#include "tests/e2e/support/GoldenComparison.h"
#include "tests/e2e/support/MainWindowLayout.h"
#include "tests/e2e/support/ProgramSession.h"
#include "tests/e2e/support/TemporaryFolder.h"

namespace tintoral::e2e {
namespace {

// A screen large enough for the window at 3x where it stands (left 234, top 109).
constexpr int kScreenWidth = 2300, kScreenHeight = 1750;

class ProjectorZoomTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbDisplay::Available()) GTEST_SKIP() << "Xvfb is not installed: end-to-end tests skipped";
    FormShot(FORMSHOT_PROGRAM, MAIN_FORM_LAYOUT, std::nullopt, environment_).Render({}, picture_);
    tabStrip_ = ControlRectInMainWindow("PageControl1");
    tabStrip_.Bottom = ControlRectInMainWindow("TabSheet1").Top;
  }

  std::string WindowAt(const ProgramSession& session, int zoom) const {
    TBitmap golden;
    Replicate(picture_, zoom, golden);
    const std::vector<TRect> ignored{Scaled(tabStrip_, zoom)};
    return session.WaitForMainWindow([&](const TBitmap& shot) { return Difference(golden, shot, ignored); });
  }

  TemporaryFolder settings_;
  const Environment environment_{"LANG=C", "LC_ALL=C", "XDG_CONFIG_HOME=" + settings_.Path()};
  TBitmap picture_;
  TRect tabStrip_;
};

TEST_F(ProjectorZoomTest, CtrlPlusZoomsByWholeBlocksAndTheFactorIsRememberedUntilCtrl0) {
  {
    ProgramSession session(environment_, -1, kScreenWidth, kScreenHeight);
    for (int zoom : {2, 3}) {
      session.X().PressKey(session.MainWindow(), "ctrl+plus");
      EXPECT_EQ(WindowAt(session, zoom), "") << "at " << zoom << "x";
    }
    ASSERT_EQ(session.CloseMainWindow(), 0);
  }
  ProgramSession again(environment_, -1, kScreenWidth, kScreenHeight);
  EXPECT_EQ(WindowAt(again, 3), "") << "started again";
  again.X().PressKey(again.MainWindow(), "ctrl+minus");
  EXPECT_EQ(WindowAt(again, 2), "") << "after Ctrl+Minus";
  again.X().PressKey(again.MainWindow(), "ctrl+0");
  EXPECT_EQ(WindowAt(again, 1), "") << "after Ctrl+0";
}

}  // namespace
}  // namespace tintoral::e2e
