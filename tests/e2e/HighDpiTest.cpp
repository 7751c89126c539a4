// The real program under Xvfb with a screen scale factor: the window is the
// whole factor times as large, and every pixel of formshot's 1x picture of
// it shows as an exact block, never smoothed. A fractional factor runs at
// the nearest whole one (platform/window/ScreenScaling.h).
//
// The page control has the focus as the window starts and draws a focus
// rectangle on its tab: the tab strip is left out, as in MainWindowTest.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "tests/e2e/support/FormShot.h"
#include "tests/e2e/support/GoldenComparison.h"
#include "tests/e2e/support/MainWindowLayout.h"
#include "tests/e2e/support/ProgramSession.h"

namespace tintoral::e2e {
namespace {

struct ScaleCase {
  const char* requested;  // QT_SCALE_FACTOR
  int whole;              // the factor the window must show
};

void PrintTo(const ScaleCase& scale, std::ostream* out) {
  *out << "QT_SCALE_FACTOR=" << scale.requested << " shows " << scale.whole << "x";
}

class HighDpiTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(HighDpiTest, EveryPixelOfTheWindowBecomesAnExactBlockOfTheWholeFactor) {
  if (!XvfbDisplay::Available()) GTEST_SKIP() << "Xvfb is not installed: end-to-end tests skipped";
  const Environment environment{"LANG=C", "LC_ALL=C"};
  const FormShot formShot(FORMSHOT_PROGRAM, MAIN_FORM_LAYOUT, std::nullopt, environment);
  TBitmap picture;
  formShot.Render({}, picture);
  const int factor = GetParam().whole;
  TBitmap golden;
  Replicate(picture, factor, golden);
  TRect tabStrip = ControlRectInMainWindow("PageControl1");
  tabStrip.Bottom = ControlRectInMainWindow("TabSheet1").Top;
  const std::vector<TRect> ignored{Scaled(tabStrip, factor)};

  Environment scaled = environment;
  scaled.push_back(std::string("QT_SCALE_FACTOR=") + GetParam().requested);
  // A screen large enough for the window at twice its size.
  const ProgramSession session(scaled, /*errorFd=*/-1, 2 * XvfbDisplay::kScreenWidth, 2 * XvfbDisplay::kScreenHeight);
  const WindowGeometry window = session.X().Geometry(session.MainWindow());
  EXPECT_EQ(window.width, golden.Width());
  EXPECT_EQ(window.height, golden.Height());
  const std::string difference =
      session.WaitForMainWindow([&](const TBitmap& shot) { return Difference(golden, shot, ignored); });
  EXPECT_EQ(difference, "") << "QT_SCALE_FACTOR=" << GetParam().requested;
}

INSTANTIATE_TEST_SUITE_P(Factors, HighDpiTest,
                         ::testing::Values(ScaleCase{"2", 2}, ScaleCase{"1.5", 2}, ScaleCase{"1.25", 1}),
                         [](const ::testing::TestParamInfo<ScaleCase>& info) {
                           std::string name = std::string("Factor") + info.param.requested;
                           for (char& c : name)
                             if (c == '.') c = '_';
                           return name;
                         });

}  // namespace
}  // namespace tintoral::e2e
