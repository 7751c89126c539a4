// The real program under Xvfb, moved the ways its user moves it: a drag of
// the red slider, the keys on the green one, the wheel over the blue one, Tab
// between them and the About box in between. As it starts, and after every
// gesture, the whole window on the screen (readouts, swatches, diagram,
// sliders, banner) must show what formshot renders for the same slider
// positions. Every test runs in a locale with a decimal point and in the
// Spanish one with a comma.
//
// The focused slider draws its focus rectangle on its outermost pixels, which
// formshot, rendering a window without focus, never shows: that frame of the
// focused slider is left out of the comparison. Everything else, the window
// system's own colours included, must match exactly.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "system/Locale.h"
#include "tests/e2e/support/FormShot.h"
#include "tests/e2e/support/GoldenComparison.h"
#include "tests/e2e/support/MainWindowLayout.h"
#include "tests/e2e/support/ProgramSession.h"

namespace tintoral::e2e {
namespace {

constexpr char kRed[] = "CursorRojo";
constexpr char kGreen[] = "CursorVerde";
constexpr char kBlue[] = "CursorAzul";
constexpr char kAboutTitle[] = "^Acerca de";
constexpr char kCommaLocale[] = "es_ES.UTF-8";

// The main window's sliders move their pointer over 153 pixels from 0 to 100.
constexpr int kUsableLength = 153;

TPoint Centre(const TRect& r) { return {r.Left + r.Width() / 2, r.Top + r.Height() / 2}; }

// The outermost pixels of a control, where a slider draws its focus rectangle.
std::vector<TRect> Frame(const TRect& r) {
  return {{r.Left, r.Top, r.Right, r.Top + 1},
          {r.Left, r.Bottom - 1, r.Right, r.Bottom},
          {r.Left, r.Top, r.Left + 1, r.Bottom},
          {r.Right - 1, r.Top, r.Right, r.Bottom}};
}

// The parameter: the locale of the run, empty for the one with a point.
class MainWindowTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    if (!XvfbDisplay::Available()) GTEST_SKIP() << "Xvfb is not installed: end-to-end tests skipped";
    const std::string& locale = GetParam();
    if (!locale.empty() && !DecimalSeparatorOfLocale(locale))
      GTEST_SKIP() << "locale " << locale << " is not installed (scripts/setup.sh generates it)";
    const std::string name = locale.empty() ? "C" : locale;
    const Environment environment{"LANG=" + name, "LC_ALL=" + name};
    formShot_ = std::make_unique<FormShot>(FORMSHOT_PROGRAM, MAIN_FORM_LAYOUT,
                                           locale.empty() ? std::nullopt : std::optional(locale), environment);
    session_ = std::make_unique<ProgramSession>(environment);
    ExpectStartingWindow();
  }

  // The window as it starts must be formshot's picture of the layout. The
  // page control has the focus then and draws a focus rectangle on its tab:
  // the tab strip is left out.
  void ExpectStartingWindow() {
    TBitmap golden;
    formShot_->Render({}, golden);
    TRect tabStrip = ControlRectInMainWindow("PageControl1");
    tabStrip.Bottom = ControlRectInMainWindow("TabSheet1").Top;
    const std::string start =
        session_->WaitForMainWindow([&](const TBitmap& shot) { return Difference(golden, shot, {tabStrip}); });
    ASSERT_EQ(start, "") << "the window as it starts";
  }

  const XTools& X() const { return session_->X(); }
  const std::string& Window() const { return session_->MainWindow(); }

  // Presses and releases the left button on the slider without moving: it
  // takes the focus, and its position stays.
  void Focus(const std::string& slider) {
    const TPoint centre = Centre(ControlRectInMainWindow(slider));
    X().Click(Window(), centre.X, centre.Y);
    focused_ = slider;
  }

  void PressKey(const std::string& key) { X().PressKey(Window(), key); }

  // Records the slider's new position and expects the window to show all
  // three positions as formshot renders them.
  void ExpectPosition(const std::string& slider, double position, const std::string& gesture) {
    positions_[slider] = position;
    ExpectWindowShowsPositions(gesture);
  }

  void ExpectWindowShowsPositions(const std::string& gesture) {
    std::vector<SliderPosition> positions;
    for (const auto& [slider, position] : positions_) positions.push_back({slider, position});
    TBitmap golden;
    formShot_->Render(positions, golden);
    const std::vector<TRect> ignored =
        focused_.empty() ? std::vector<TRect>{} : Frame(ControlRectInMainWindow(focused_));
    const auto difference = [&](const TBitmap& shot) { return Difference(golden, shot, ignored); };
    EXPECT_EQ(session_->WaitForMainWindow(difference), "") << "after " << gesture;
  }

  std::unique_ptr<FormShot> formShot_;
  std::unique_ptr<ProgramSession> session_;
  std::map<std::string, double> positions_{{kRed, 0}, {kGreen, 0}, {kBlue, 0}};
  std::string focused_;
};

TEST_P(MainWindowTest, DraggingTheRedSliderMovesItWithThePointerFromWhereverThePressWasUpToTheTop) {
  const TRect red = ControlRectInMainWindow(kRed);
  const int x = Centre(red).X;
  focused_ = kRed;
  // Pressed near the bottom, far below the pointer at 0: a third of the way up.
  X().Drag(Window(), x, red.Bottom - 10, x, red.Bottom - 10 - kUsableLength / 3);
  ExpectPosition(kRed, static_cast<double>(kUsableLength / 3) / kUsableLength * 100, "a drag a third of the way up");
  // Pressed near the top, above the pointer, and dragged past the end.
  X().Drag(Window(), x, red.Top + 10, x, red.Top + 10 - kUsableLength);
  ExpectPosition(kRed, 100, "a drag past the top");
}

TEST_P(MainWindowTest, ArrowPageHomeAndEndKeysStepTheFocusedGreenSlider) {
  Focus(kGreen);
  const struct {
    const char* key;
    double position;
  } steps[] = {{"Up", 1},   {"Right", 2}, {"Prior", 12}, {"Down", 11}, {"Left", 10},
               {"Next", 0}, {"End", 100}, {"Next", 90},  {"Home", 0}};
  for (const auto& step : steps) {
    PressKey(step.key);
    ExpectPosition(kGreen, step.position, std::string("the key ") + step.key);
  }
}

TEST_P(MainWindowTest, EachWheelNotchOverTheBlueSliderStepsItByOne) {
  Focus(kBlue);
  const TPoint centre = Centre(ControlRectInMainWindow(kBlue));
  // One notch at a time, each one shown before the next: the slider takes
  // notches less than 30 ms apart as one.
  const struct {
    bool away;
    double position;
  } notches[] = {{true, 1}, {true, 2}, {true, 3}, {false, 2}};
  for (const auto& notch : notches) {
    X().TurnWheel(Window(), centre.X, centre.Y, notch.away);
    ExpectPosition(kBlue, notch.position, notch.away ? "a notch away" : "a notch back");
  }
}

TEST_P(MainWindowTest, TabMovesTheFocusFromGreenToBlueToRed) {
  Focus(kGreen);
  for (const char* slider : {kGreen, kBlue, kRed}) {
    if (slider != std::string(kGreen)) PressKey("Tab");
    focused_ = slider;
    PressKey("Up");
    ExpectPosition(slider, 1, std::string("Up with the focus on ") + slider);
  }
}

TEST_P(MainWindowTest, OpeningAndClosingTheAboutBoxKeepsEveryValue) {
  Focus(kGreen);
  PressKey("End");
  ExpectPosition(kGreen, 100, "End");
  PressKey("Tab");
  focused_ = kBlue;
  PressKey("Prior");
  ExpectPosition(kBlue, 10, "Page Up");
  TBitmap before, after;
  session_->ShootMainWindow(before);

  const TPoint button = Centre(ControlRectInMainWindow("SpeedButton1"));
  X().Click(Window(), button.X, button.Y);
  const std::optional<std::string> box = X().WaitForWindow(kAboutTitle);
  ASSERT_TRUE(box) << "the About box did not open";
  X().PressKey(*box, "Return");
  ASSERT_TRUE(X().WaitForWindowGone(kAboutTitle)) << "Enter did not close the About box";

  ExpectWindowShowsPositions("closing the About box");
  session_->ShootMainWindow(after);
  EXPECT_EQ(ExactDifference(before, after), "") << "pixels of the main window changed";
}

INSTANTIATE_TEST_SUITE_P(Locales, MainWindowTest, ::testing::Values(std::string(), std::string(kCommaLocale)),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return info.param.empty() ? std::string("DecimalPoint") : std::string("DecimalComma");
                         });

}  // namespace
}  // namespace tintoral::e2e
