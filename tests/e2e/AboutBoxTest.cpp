// The real program under Xvfb: the question-mark button opens the About box
// centred on the main window and transient for it, with its picture; Enter
// closes it, and the main window is as it was.
//
// Xvfb runs no window manager: windows get no frames and nobody moves them.
// The program centres the box's outer rectangle (client area plus the classic
// dialog frame: borders and caption bar) on the main window's (its client
// area alone here) and asks for that position; with no frame around it, the
// client area itself lands there. So the box is centred when its client area
// sits where the framed rectangle would be centred.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>

#include "platform/graphics/Bitmap.h"
#include "platform/window/Form.h"
#include "tests/e2e/support/GoldenComparison.h"
#include "tests/e2e/support/ProgramSession.h"

namespace tintoral::e2e {
namespace {

constexpr char kAboutTitle[] = "^Acerca de";

// Client-area points of the main window and the About box.
constexpr int kQuestionButtonX = 632 + 11, kQuestionButtonY = 16 + 11;
constexpr int kOkButtonX = 111 + 37, kOkButtonY = 216 + 12;
// The About picture's frame: the image at 12, 32 inside the panel at 8, 4.
constexpr int kPictureLeft = 20, kPictureTop = 36, kPictureWidth = 261, kPictureHeight = 149;
constexpr int kAboutWidth = 298, kAboutHeight = 244;

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbDisplay::Available()) GTEST_SKIP() << "Xvfb is not installed: end-to-end tests skipped";
    session_ = std::make_unique<ProgramSession>(Environment{});
    mainWindow_ = session_->MainWindow();
    x_ = &session_->X();
  }

  void ShootMainWindow(TBitmap& into) { session_->ShootMainWindow(into); }

  std::string OpenAboutBox() {
    x_->Click(mainWindow_, kQuestionButtonX, kQuestionButtonY);
    const std::optional<std::string> about = x_->WaitForWindow(kAboutTitle);
    if (!about) ADD_FAILURE() << "the About box did not open";
    return about.value_or("");
  }

  std::unique_ptr<ProgramSession> session_;
  const XTools* x_ = nullptr;
  std::string mainWindow_;
};

bool Greenish(TColor color) {
  const int r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  return g > r + 40 && g > b + 40;
}

int CountGreenish(const TBitmap& shot, int left, int top, int width, int height) {
  int count = 0;
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x) count += Greenish(shot.Pixel(x, y));
  return count;
}

// Where the box's client area lands when its framed rectangle is centred on
// the main window.
void ExpectCentred(const WindowGeometry& box, const WindowGeometry& main) {
  const TFrameMetrics frame = FrameMetricsOf(bsDialog);
  EXPECT_NEAR(box.x, main.x + (main.width - box.width - frame.ExtraWidth()) / 2, 1);
  EXPECT_NEAR(box.y, main.y + (main.height - box.height - frame.ExtraHeight()) / 2, 1);
}

TEST_F(ProgramTest, QuestionButtonShowsTheAboutBoxCentredOnTheMainWindowAndEnterClosesIt) {
  TBitmap before, after, about;
  ShootMainWindow(before);

  const std::string box = OpenAboutBox();
  ASSERT_FALSE(box.empty());
  const WindowGeometry geometry = x_->Geometry(box);
  EXPECT_EQ(geometry.width, kAboutWidth);
  EXPECT_EQ(geometry.height, kAboutHeight);
  ExpectCentred(geometry, x_->Geometry(mainWindow_));
  EXPECT_NE(x_->WindowProperty(box, "WM_TRANSIENT_FOR").find("window id"), std::string::npos)
      << "not transient for the main window";

  ASSERT_TRUE(x_->WaitForPaintedWindow(box, about));
  // The picture (green traces on a dark screen) fills its frame; the dialog
  // around it is plain button face.
  const int frame = kPictureWidth * kPictureHeight;
  EXPECT_GT(CountGreenish(about, kPictureLeft, kPictureTop, kPictureWidth, kPictureHeight), frame / 20);
  EXPECT_EQ(CountGreenish(about, 0, kPictureTop + kPictureHeight + 4, about.Width(),
                          about.Height() - kPictureTop - kPictureHeight - 4),
            0);

  x_->PressKey(box, "Return");
  EXPECT_TRUE(x_->WaitForWindowGone(kAboutTitle)) << "Enter did not close the About box";
  ShootMainWindow(after);
  EXPECT_EQ(ExactDifference(before, after), "") << "pixels of the main window changed";
}

TEST_F(ProgramTest, AboutBoxOpensAgainAndClosesWithItsOkButton) {
  for (int showing = 0; showing < 2; ++showing) {
    const std::string box = OpenAboutBox();
    ASSERT_FALSE(box.empty()) << "showing " << showing;
    ExpectCentred(x_->Geometry(box), x_->Geometry(mainWindow_));
    x_->Click(box, kOkButtonX, kOkButtonY);
    EXPECT_TRUE(x_->WaitForWindowGone(kAboutTitle)) << "OK did not close the About box";
  }
  EXPECT_TRUE(session_->Running());
}

}  // namespace
}  // namespace tintoral::e2e
