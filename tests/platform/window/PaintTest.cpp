// The paint path: the paint buffer, graphic children, windowed children
// on top, off-screen rendering and invalidation.
#include <gtest/gtest.h>

#include <QApplication>
#include <climits>
#include <functional>
#include <new>

#include "WindowTestSupport.h"
#include "platform/graphics/Bitmap.h"
#include "runtime/Exception.h"

namespace tintoral::test {
namespace {

std::uint32_t Rgb(TColor c) { return ColorToRGB(c); }

class PaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SystemColors::ResetToClassic();
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 120, 80);
    form.SetColor(clTeal);
  }
  Log log;
  TForm form{nullptr};
};

// A paint limited to a dirty part of a window that paints only its colour
// renews that part, graphic children included, and keeps the rest; a new
// size, or a control that paints itself, repaints everything.
TEST_F(PaintTest, DirtyPartRepaintsOnlyThatPartOfAPlainWindow) {
  auto* square = new TTestSquare(&form);
  square->SetBounds(10, 10, 40, 40);
  square->SetColor(clYellow);
  square->SetParent(&form);
  form.PaintBufferNow(false);
  form.SetColor(clNavy);
  square->SetColor(clLime);
  form.PaintBufferNow(false, {30, 30, 70, 70});
  const TBitmap& buffer = form.PaintBuffer();
  EXPECT_EQ(buffer.Pixel(60, 60), Rgb(clNavy));
  EXPECT_EQ(buffer.Pixel(35, 35), Rgb(clLime));    // the square's part inside
  EXPECT_EQ(buffer.Pixel(20, 20), Rgb(clYellow));  // and outside, as it was
  EXPECT_EQ(buffer.Pixel(100, 5), Rgb(clTeal));
  form.SetBounds(0, 0, 130, 80);
  form.PaintBufferNow(false, {0, 0, 1, 1});
  EXPECT_EQ(form.PaintBuffer().Pixel(100, 5), Rgb(clNavy));
  EXPECT_EQ(form.PaintBuffer().Pixel(20, 20), Rgb(clLime));

  auto* custom = new TRecorder(&form, log, "custom");
  custom->SetBounds(0, 0, 40, 40);
  custom->SetColor(clWhite);
  custom->SetParent(&form);
  custom->PaintBufferNow(false);
  custom->SetColor(clRed);
  custom->PaintBufferNow(false, {0, 0, 5, 5});
  EXPECT_EQ(custom->PaintBuffer().Pixel(30, 30), Rgb(clRed));
}

TEST_F(PaintTest, RenderToPaintsTheWholeTreeWithoutAWindow) {
  auto* square = new TTestSquare(&form);
  square->SetBounds(10, 10, 20, 20);
  square->SetColor(clYellow);
  square->SetParent(&form);
  auto* child = new TRecorder(&form, log, "child");  // windowed: on top of graphic siblings
  child->SetBounds(25, 25, 30, 30);
  child->SetColor(clWhite);
  child->SetParent(&form);
  auto* grandchild = new TTestSquare(&form);
  grandchild->SetBounds(-5, 10, 10, 10);  // partly outside its parent
  grandchild->SetColor(clRed);
  grandchild->SetParent(child);

  TBitmap image;
  form.RenderTo(image);
  EXPECT_FALSE(form.HandleAllocated());
  ASSERT_EQ(image.Width(), 120);
  ASSERT_EQ(image.Height(), 80);
  EXPECT_EQ(image.Pixel(0, 0), Rgb(clTeal));
  EXPECT_EQ(image.Pixel(11, 11), Rgb(clBlack));  // the square's frame at its position
  EXPECT_EQ(image.Pixel(10, 10), Rgb(clTeal));   // what lay beneath, kept by the square
  EXPECT_EQ(image.Pixel(20, 20), Rgb(clYellow));
  EXPECT_EQ(image.Pixel(27, 27), Rgb(clWhite));           // the windowed child covers the square
  EXPECT_EQ(image.Pixel(25 + 4, 25 + 15), Rgb(clBlack));  // the grandchild's right part, in the child
  EXPECT_EQ(image.Pixel(25 + 3, 25 + 15), Rgb(clRed));
  EXPECT_EQ(image.Pixel(24, 35), Rgb(clTeal));   // nothing of it outside the child
  EXPECT_EQ(child->seenBeneath, Rgb(clYellow));  // before painting, the child held the pixels beneath it
  EXPECT_EQ(square->seenBeneath, Rgb(clTeal));
}

TEST_F(PaintTest, OnScreenTheVisibilityTestSeesSiblingsAboveAndOffScreenAllIsVisible) {
  auto* lower = new TRecorder(&form, log, "lower");
  lower->SetBounds(10, 10, 40, 40);
  lower->SetParent(&form);
  auto* upper = new TRecorder(&form, log, "upper");
  upper->SetBounds(30, 30, 40, 40);
  upper->SetParent(&form);
  std::vector<bool> seen;
  lower->onPaint = [&](TCanvas& canvas) {
    seen = {canvas.PointVisible(5, 5), canvas.PointVisible(35, 35), canvas.PointVisible(40, 5)};
  };
  TBitmap image;
  form.RenderTo(image);
  EXPECT_EQ(seen, (std::vector<bool>{true, true, false}));  // only its own area counts
  form.Show();
  QApplication::processEvents();
  seen.clear();
  lower->Repaint();
  EXPECT_EQ(seen, (std::vector<bool>{true, false, false}));  // (35, 35) lies under the upper sibling
}

TEST_F(PaintTest, SeveralInvalidationsBeforeThePaintGiveOnePaint) {
  auto* control = new TRecorder(&form, log, "c");
  control->SetBounds(0, 0, 50, 50);
  control->SetParent(&form);
  form.Show();
  QApplication::processEvents();
  control->paints = 0;
  control->Invalidate();
  control->Invalidate();
  control->Invalidate();
  QApplication::processEvents();
  EXPECT_EQ(control->paints, 1);
  QApplication::processEvents();
  EXPECT_EQ(control->paints, 1);
}

TEST_F(PaintTest, AGraphicControlInvalidatesItsRectangleOnTheParent) {
  auto* square = new TTestSquare(&form);
  square->SetBounds(5, 5, 10, 10);
  square->SetParent(&form);
  form.Show();
  QApplication::processEvents();
  square->paints = 0;
  square->Invalidate();
  square->Invalidate();
  QApplication::processEvents();
  EXPECT_EQ(square->paints, 1);
  const QImage shown = form.Widget()->grab().toImage();
  EXPECT_EQ(shown.pixel(6, 6) & 0xFFFFFFu, 0x000000u);  // its frame is on screen
}

// A control whose drawing fails with the given error.
template <class Base>
class TFailingPaint : public Base {
 public:
  TFailingPaint(TComponent* owner, std::function<void()> fail) : Base(owner), fail_(std::move(fail)) {}

 protected:
  void Paint() override { fail_(); }

 private:
  std::function<void()> fail_;
};

// No drawing error leaves the paint: it is drawn into the failing control,
// white on black, and RenderTo names the first control that failed.
TEST_F(PaintTest, DrawingErrorsAreDrawnIntoTheControlAndReportedByRenderTo) {
  const std::function<void()> failures[] = {[] { throw GraphicsError("Bitmap too large"); },
                                            [] { throw std::bad_alloc(); }};
  for (const auto& fail : failures)
    for (const bool windowed : {true, false}) {
      TForm host(nullptr);
      host.SetBorderStyle(bsNone);
      host.SetBounds(0, 0, 120, 80);
      host.SetColor(clTeal);
      TControl* failing = windowed ? static_cast<TControl*>(new TFailingPaint<TCustomControl>(&host, fail))
                                   : new TFailingPaint<TGraphicControl>(&host, fail);
      failing->SetName("Broken");
      failing->SetBounds(10, 10, 100, 60);
      failing->SetParent(&host);
      EXPECT_NO_THROW(host.PaintBufferNow(true));
      TBitmap picture;
      try {
        host.RenderTo(picture);
        ADD_FAILURE() << "no error reported";
      } catch (const GraphicsError& e) {
        EXPECT_EQ(e.Message().rfind("Cannot draw 'Broken' (", 0), 0u) << e.Message();
      }
      ASSERT_EQ(picture.Width(), 120);
      EXPECT_EQ(picture.Pixel(12, 58), Rgb(clBlack)) << windowed;
      EXPECT_EQ(picture.Pixel(5, 5), Rgb(clTeal));
      bool white = false;
      for (int y = 10; y < 70 && !white; ++y)
        for (int x = 10; x < 110 && !white; ++x) white = picture.Pixel(x, y) == clWhite;
      EXPECT_TRUE(white) << "the message is written";
    }
}

TEST(ControlBounds, HeldWithinTheCoordinateLimit) {
  const struct {
    int value, position, size;
  } cases[] = {{INT_MAX, kCoordinateLimit, kCoordinateLimit},
               {INT_MIN, -kCoordinateLimit, 0},
               {kCoordinateLimit + 1, kCoordinateLimit, kCoordinateLimit},
               {-5, -5, 0},
               {77, 77, 77}};
  Log log;
  for (const auto& c : cases) {
    TRecorder control(nullptr, log, "c");
    control.SetBounds(c.value, c.value, c.value, c.value);
    EXPECT_EQ(control.BoundsRect(), Bounds(c.position, c.position, c.size, c.size)) << c.value;
  }
}

}  // namespace
}  // namespace tintoral::test
