// Projector zoom of a form: the window and its controls' windows grow by the
// whole factor, the pointer lands on the control pixel beneath it, and a
// larger window centres the client area on the form's colour.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include "WindowTestSupport.h"

namespace tintoral::test {
namespace {

class FormZoomTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetColor(clTeal);
    form.SetClientSize(60, 40);
    recorder = new TRecorder(&form, log, "A");
    recorder->SetBounds(10, 5, 20, 10);
    recorder->SetColor(clYellow);
    recorder->SetParent(&form);
    form.Show();
    form.EnableZoom();
  }

  QImage Grab() { return form.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  Log log;
  TForm form{nullptr};
  TRecorder* recorder = nullptr;
};

// The pictures themselves are compared in whole blocks end to end (tests/e2e/ProjectorZoomTest.cpp).
TEST_F(FormZoomTest, EveryWindowGrowsByTheFactorAndNeverShrinksBelowOne) {
  for (int zoom : {3, 1}) {
    form.SetZoom(zoom);
    EXPECT_EQ(form.Widget()->size(), QSize(60 * zoom, 40 * zoom));
    EXPECT_EQ(form.Widget()->minimumSize(), QSize(60, 40));
    EXPECT_EQ(recorder->Widget()->geometry(), QRect(10 * zoom, 5 * zoom, 20 * zoom, 10 * zoom));
    EXPECT_EQ(form.ClientWidth(), 60);
  }
}

TEST_F(FormZoomTest, ThePointerLandsOnTheControlPixelBeneathIt) {
  form.SetZoom(3);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(17.5, 8), recorder->Widget()->mapToGlobal(QPointF(17.5, 8)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(recorder->Widget(), &press);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "A: down 0 Left 5,2");
}

TEST_F(FormZoomTest, FactorsOutsideOneToFourAreClamped) {
  for (const auto& [asked, kept] : {std::pair{0, 1}, {7, 4}, {-2, 1}, {2, 2}}) {
    form.SetZoom(asked);
    EXPECT_EQ(form.Zoom(), kept) << asked;
  }
}

TEST_F(FormZoomTest, ALargerWindowShowsTheClientAreaCentredOnTheFormsColour) {
  form.SetZoom(2);
  form.Widget()->resize(150, 100);                                    // the user widened it
  form.WindowGeometryChanged(form.Left() + 7, form.Top(), 150, 100);  // and moved it
  EXPECT_EQ(form.Widget()->size(), QSize(150, 100));
  EXPECT_EQ(form.ShownZoom(), 2);
  EXPECT_EQ(recorder->Widget()->geometry(), QRect(15 + 20, 10 + 10, 40, 20));
  const QImage shot = Grab();
  EXPECT_EQ(shot.pixel(5, 5), qRgb(0, 0x80, 0x80));    // margin: the form's colour
  EXPECT_EQ(shot.pixel(40, 25), qRgb(0xFF, 0xFF, 0));  // the recorder, moved by the margin
  EXPECT_EQ(form.ClientWidth(), 60);
}

TEST_F(FormZoomTest, AMaximisedWindowShowsTheLargestFactorThatFits) {
  form.Widget()->setWindowState(Qt::WindowMaximized);
  form.WindowGeometryChanged(0, 0, 200, 130);
  EXPECT_EQ(form.ShownZoom(), 3);
  EXPECT_EQ(form.Zoom(), 1);  // the chosen factor stays for the normal window
  EXPECT_EQ(recorder->Widget()->geometry(), QRect(10 + 30, 5 + 15, 60, 30));
}

// The offscreen screen is 800 x 600: a 300 x 200 client area fits at 2x only.
TEST_F(FormZoomTest, AFactorWhoseWindowDoesNotFitTheScreenIsCappedAndTheWindowMovedOnScreen) {
  form.SetClientSize(300, 200);
  form.SetBounds(700, 500, form.Width(), form.Height());
  form.SetZoom(4);
  EXPECT_EQ(form.Zoom(), 2);
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect frame = form.Widget()->frameGeometry();
  EXPECT_TRUE(area.contains(frame)) << "window at " << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                    << frame.height();
  EXPECT_EQ(form.Widget()->size(), QSize(600, 400));
}

TEST_F(FormZoomTest, BackFromMaximisedTheWindowTakesTheFactorChosenMeanwhile) {
  form.SetZoom(3);
  form.Widget()->setWindowState(Qt::WindowMaximized);
  form.SetZoom(1);  // Ctrl+0 while maximised
  form.Widget()->setWindowState(Qt::WindowNoState);
  EXPECT_EQ(form.Widget()->size(), QSize(60, 40));
  EXPECT_EQ(form.ShownZoom(), 1);
  EXPECT_EQ(recorder->Widget()->geometry(), QRect(10, 5, 20, 10));
}

}  // namespace
}  // namespace tintoral::test
