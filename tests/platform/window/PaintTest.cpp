// The paint path: the paint buffer, graphic children, windowed children
// on top, off-screen rendering and invalidation.
#include <gtest/gtest.h>

#include <QApplication>

#include "WindowTestSupport.h"
#include "platform/graphics/Bitmap.h"

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

}  // namespace
}  // namespace tintoral::test
