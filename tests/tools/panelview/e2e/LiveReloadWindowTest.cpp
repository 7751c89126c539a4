// panelview on a wall screen, under Xvfb: the form file is saved anew while
// the panel runs, and the new form shows in the same X window, at the place
// and size the window had, which the file's own size does not change.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Color.h"
#include "tests/e2e/support/Process.h"
#include "tests/e2e/support/ProgramSession.h"
#include "tests/e2e/support/TemporaryFolder.h"
#include "tests/e2e/support/XTools.h"
#include "tests/e2e/support/XvfbDisplay.h"

namespace tintoral::e2e {
namespace {

using namespace std::chrono_literals;

std::string PanelForm(const std::string& caption, const std::string& color, int width, int height) {
  return "object Panel: TForm\n  Caption = '" + caption + "'\n  ClientWidth = " + std::to_string(width) +
         "\n  ClientHeight = " + std::to_string(height) + "\n  Color = " + color + "\nend\n";
}

bool SamePlace(const WindowGeometry& a, const WindowGeometry& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

TEST(PanelViewLiveReload, TheNewFormShowsInTheSameWindowAtItsPlaceAndSize) {
  if (!XvfbDisplay::Available() || !ProgramExists("xdotool")) GTEST_SKIP() << "Xvfb or xdotool missing";
  XvfbDisplay display;
  const XTools x(display.ClientEnvironment(), SCREENGRAB_PROGRAM);
  TemporaryFolder folder;
  const std::string form = folder.Path() + "/panel.txt";
  std::ofstream(form) << PanelForm("Tank panel", "clRed", 240, 100);
  Environment environment = display.ClientEnvironment();
  environment.insert(environment.end(), kLeakOptions.begin(), kLeakOptions.end());
  environment.push_back("QT_QPA_PLATFORM=xcb");
  ChildProcess panelview({PANELVIEW_PROGRAM, form}, environment);
  const auto window = x.WaitForWindow("^Tank panel$");
  ASSERT_TRUE(window);

  // Placed and sized by hand, as on a wall screen.
  ASSERT_EQ(RunCommand({"xdotool", "windowmove", "--sync", *window, "200", "150", "windowsize", "--sync", *window,
                        "420", "260"},
                       display.ClientEnvironment())
                .status,
            0);
  const WindowGeometry placed = x.Geometry(*window);
  ASSERT_EQ(placed.width, 420);

  // Saved by renaming, with another caption, colour and size.
  std::ofstream(form + ".new") << PanelForm("Pump panel", "clBlue", 300, 160);
  std::filesystem::rename(form + ".new", form);
  const auto reloaded = x.WaitForWindow("^Pump panel$", 30s);
  ASSERT_TRUE(reloaded);
  EXPECT_EQ(*reloaded, *window) << "the same X window";
  EXPECT_TRUE(SamePlace(x.Geometry(*window), placed));
  EXPECT_FALSE(x.WindowVisible("^Tank panel$"));
  TBitmap shot;
  bool blue = false;
  for (int attempt = 0; attempt < 40 && !blue; ++attempt) {
    x.Screenshot(*window, shot);
    blue = shot.Width() == placed.width && shot.Pixel(4, 4) == clBlue;
    if (!blue) std::this_thread::sleep_for(250ms);
  }
  EXPECT_TRUE(blue) << "the new form's colour shows in the window";
  panelview.Stop();
}

}  // namespace
}  // namespace tintoral::e2e
