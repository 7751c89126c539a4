// The real program under Xvfb with its second window, "Señales de prueba":
// F2 and the main window's context menu open it beside the main window,
// which keeps every pixel; a click on a bar and a typed value move the main
// window's sliders (it then shows what formshot renders at those positions);
// Ctrl+S in the second window writes, through the file dialog, the picture
// formshot renders of that window in that state.
//
// As in the other tests, the focus indicators (the main window's tab, the
// second window's focused field) are left out: formshot renders windows
// without focus.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PngDecoder.h"
#include "tests/e2e/support/FormShot.h"
#include "tests/e2e/support/GoldenComparison.h"
#include "tests/e2e/support/MainWindowLayout.h"
#include "tests/e2e/support/ProgramSession.h"
#include "tests/e2e/support/TemporaryFolder.h"
#include "tests/e2e/support/TemporaryPng.h"

namespace tintoral::e2e {
namespace {

constexpr char kTitle[] = "ales de prueba$";  // "Señales …": xdotool matches bytes
// Wide enough for the second window right of the main one.
constexpr int kScreenWidth = 1800, kScreenHeight = 1100;

// Client-area points of the second window (app/forms/TestSignalsForm.txt):
// the bar strip at 8, 20 (names 56 wide, bars 64 wide, rows 44 high) and the
// fields' panel at 8, 573 (the green per-cent field at 140, 6, 64 x 21).
constexpr int kBarsLeft = 8 + 56, kBarsTop = 20;
constexpr TRect kGreenPercentField{8 + 140, 573 + 6, 8 + 140 + 64, 573 + 6 + 21};

bool ReadPng(const std::string& path, TBitmap& into) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::vector<std::uint8_t> png{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (png.empty()) return false;
  DecodePng(png.data(), png.size(), into);
  return true;
}

class TestSignalsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbDisplay::Available()) GTEST_SKIP() << "Xvfb is not installed: end-to-end tests skipped";
    session_ = std::make_unique<ProgramSession>(environment_, -1, kScreenWidth, kScreenHeight);
    tabStrip_ = ControlRectInMainWindow("PageControl1");
    tabStrip_.Bottom = ControlRectInMainWindow("TabSheet1").Top;
  }

  const XTools& X() const { return session_->X(); }
  const std::string& Main() const { return session_->MainWindow(); }

  std::string OpenWithF2() {
    X().PressKey(Main(), "F2");
    return X().WaitForWindow(kTitle).value_or("");
  }

  // The main window compared with formshot's picture at these positions.
  std::string MainWindowAt(double red, double green, double blue) const {
    TBitmap golden;
    FormShot(FORMSHOT_PROGRAM, MAIN_FORM_LAYOUT, std::nullopt, environment_)
        .Render({{"CursorRojo", red}, {"CursorVerde", green}, {"CursorAzul", blue}}, golden);
    return session_->WaitForMainWindow([&](const TBitmap& shot) { return Difference(golden, shot, {tabStrip_}); });
  }

  TemporaryFolder settings_, home_;
  const Environment environment_{"LANG=C", "LC_ALL=C", "XDG_CONFIG_HOME=" + settings_.Path(), "HOME=" + home_.Path()};
  std::unique_ptr<ProgramSession> session_;
  TRect tabStrip_;
};

TEST_F(TestSignalsWindowTest, F2OpensItBesideTheMainWindowWhichKeepsEveryPixel) {
  TBitmap before, after;
  session_->ShootMainWindow(before);
  const std::string second = OpenWithF2();
  ASSERT_FALSE(second.empty()) << "F2 did not open the window";
  const WindowGeometry main = X().Geometry(Main()), beside = X().Geometry(second);
  EXPECT_GE(beside.x, main.x + main.width) << "it covers the main window";
  session_->ShootMainWindow(after);
  EXPECT_EQ(Difference(before, after, {tabStrip_}), "");
}

TEST_F(TestSignalsWindowTest, TheContextMenuOpensIt) {
  X().RightClick(Main(), 200, 505);
  std::this_thread::sleep_for(std::chrono::milliseconds(700));  // the menu shows at the pointer
  X().Click(Main(), 200 + 40, 505 + 12);                        // its first entry
  EXPECT_TRUE(X().WaitForWindow(kTitle, std::chrono::seconds(10))) << "the menu did not open the window";
}

TEST_F(TestSignalsWindowTest, ABarAndATypedValueMoveTheMainSlidersAndCtrlSSavesFormshotsPicture) {
  const std::string second = OpenWithF2();
  ASSERT_FALSE(second.empty());
  X().Click(second, kBarsLeft + 5 * 64 + 32, kBarsTop + 22);  // red, 100 %
  EXPECT_EQ(MainWindowAt(100, 0, 0), "") << "after the red bar";

  X().Click(second, kGreenPercentField.Left + 20, kGreenPercentField.Top + 10);
  for (int i = 0; i < 4; ++i) X().PressKey(second, "BackSpace");
  X().TypeText(second, "50");
  X().PressKey(second, "Return");
  EXPECT_EQ(MainWindowAt(100, 50, 0), "") << "after typing G 50";

  // The dialog starts in the (empty) home folder with the window's name for
  // the colour; Enter takes it.
  const std::string path = home_.Path() + "/senales-de-prueba-FF8000.png";
  X().PressKey(second, "ctrl+s");
  const std::optional<std::string> dialog = X().WaitForWindow("^Guardar imagen");
  ASSERT_TRUE(dialog) << "Ctrl+S opened no file dialog";
  X().PressKey(*dialog, "Return");
  TBitmap saved;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!ReadPng(path, saved) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_GT(saved.Width(), 0) << "nothing written to " << path;

  TemporaryPng rendered;
  const CommandResult shot =
      RunCommand({FORMSHOT_PROGRAM, TEST_SIGNALS_LAYOUT, rendered.Path(), "--set", "TestSignals.Rojo=100", "--set",
                  "TestSignals.Verde=50", "--set", "TestSignals.Azul=0"},
                 environment_);
  ASSERT_EQ(shot.status, 0) << shot.output;
  TBitmap golden;
  rendered.Decode(golden);
  EXPECT_EQ(Difference(golden, saved, {kGreenPercentField}), "");
}

}  // namespace
}  // namespace tintoral::e2e
