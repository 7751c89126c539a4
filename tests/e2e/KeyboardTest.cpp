// The real program under Xvfb, from the keyboard alone: F1 with the focus on
// a slider opens the About box, Escape closes it, and the slider still has
// the focus (an arrow key moves it), the window then showing exactly what
// formshot renders for the new position.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "tests/e2e/support/FormShot.h"
#include "tests/e2e/support/GoldenComparison.h"
#include "tests/e2e/support/MainWindowLayout.h"
#include "tests/e2e/support/ProgramSession.h"

namespace tintoral::e2e {
namespace {

TEST(KeyboardTest, F1OpensTheAboutBoxEscapeClosesItAndTheFocusStaysOnTheSlider) {
  if (!XvfbDisplay::Available()) GTEST_SKIP() << "Xvfb is not installed: end-to-end tests skipped";
  const Environment environment{"LANG=C", "LC_ALL=C"};
  ProgramSession session(environment);
  const XTools& x = session.X();
  const TRect green = ControlRectInMainWindow("CursorVerde");
  x.Click(session.MainWindow(), green.Left + green.Width() / 2, green.Top + green.Height() / 2);

  x.PressKey(session.MainWindow(), "F1");
  const std::optional<std::string> about = x.WaitForWindow("^Acerca de");
  ASSERT_TRUE(about) << "F1 did not open the About box";
  x.PressKey(*about, "Escape");
  ASSERT_TRUE(x.WaitForWindowGone("^Acerca de")) << "Escape did not close the About box";

  x.PressKey(session.MainWindow(), "Up");
  TBitmap golden;
  FormShot(FORMSHOT_PROGRAM, MAIN_FORM_LAYOUT, std::nullopt, environment).Render({{"CursorVerde", 1}}, golden);
  const std::vector<TRect> focusFrame{{green.Left, green.Top, green.Right, green.Top + 1},
                                      {green.Left, green.Bottom - 1, green.Right, green.Bottom},
                                      {green.Left, green.Top, green.Left + 1, green.Bottom},
                                      {green.Right - 1, green.Top, green.Right, green.Bottom}};
  EXPECT_EQ(session.WaitForMainWindow([&](const TBitmap& shot) { return Difference(golden, shot, focusFrame); }), "")
      << "after Up on the slider that had the focus";
}

}  // namespace
}  // namespace tintoral::e2e
