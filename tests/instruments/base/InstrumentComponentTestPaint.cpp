// The paint path: off-screen bitmap, OnPaint, the lock, paint errors, the
// metafile path, background, border and picture, and transparency.
#include <gtest/gtest.h>

#include <QApplication>

#include "InstrumentTestSupport.h"
#include "platform/graphics/Color.h"
#include "platform/window/Form.h"

namespace tintoral::test {
namespace {

TColor Rgb(TColor c) { return static_cast<TColor>(ColorToRGB(c)); }

class InstrumentPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SystemColors::ResetToClassic();
    instrument.SetBounds(0, 0, 20, 12);
  }
  // Paints the instrument through the window core as it would on screen.
  const TBitmap& Paint() {
    instrument.PaintBufferNow(false);
    return instrument.PaintBuffer();
  }
  int CountPixels(const TBitmap& image, TColor color) {
    int count = 0;
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x) count += image.Pixel(x, y) == Rgb(color);
    return count;
  }

  TTestInstrument instrument{nullptr};
};

TEST_F(InstrumentPaintTest, OffScreenPathLocksPaintsCallsOnPaintAndPresents) {
  instrument.RecordUserEvents();
  instrument.SetBackGroundColor(clBlue);
  const TBitmap& image = Paint();
  EXPECT_EQ(instrument.log, (Log{"Lock", "PaintTo", "OnPaint", "Unlock"}));
  EXPECT_NE(instrument.lastPaintCanvas, &instrument.Canvas());  // a bitmap of its own
  EXPECT_EQ(image.Pixel(0, 0), Rgb(clBlue));
  EXPECT_EQ(image.Pixel(10, 6), Rgb(clRed));  // the mark at the centre point
  EXPECT_EQ(CountPixels(image, clBlue) + CountPixels(image, clRed), 20 * 12);
}

TEST_F(InstrumentPaintTest, OnPaintDrawsOnTheBitmapAfterPaintTo) {
  instrument.SetOnPaint([](TObject*, TCanvas& canvas) { canvas.SetPixel(0, 0, clLime); });
  EXPECT_EQ(Paint().Pixel(0, 0), Rgb(clLime));
}

TEST_F(InstrumentPaintTest, APaintErrorShowsItsMessageWhiteOnBlackAndLaterPaintsTryAgain) {
  instrument.SetBounds(0, 0, 160, 40);
  instrument.SetBackGroundColor(clBlue);
  instrument.paintError = "Range check error";
  const TBitmap& failed = Paint();
  const int white = CountPixels(failed, clWhite);
  EXPECT_GT(white, 10);                       // the text
  EXPECT_EQ(CountPixels(failed, clBlue), 0);  // nothing of the broken drawing is left
  EXPECT_EQ(CountPixels(failed, clRed), 0);
  EXPECT_EQ(failed.Pixel(159, 39), Rgb(clBlack));
  int textRight = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 160; ++x)
      if (failed.Pixel(x, y) != Rgb(clBlack)) textRight = std::max(textRight, x);
  EXPECT_LT(textRight, 150);  // top-left, not stretched over the control

  instrument.paintError.clear();
  const TBitmap& repaired = Paint();
  EXPECT_EQ(instrument.paints, 2);
  EXPECT_EQ(repaired.Pixel(0, 0), Rgb(clBlue));
  EXPECT_EQ(CountPixels(repaired, clWhite), 0);
}

TEST_F(InstrumentPaintTest, LongErrorMessagesWrapAtWords) {
  instrument.SetBounds(0, 0, 60, 60);
  instrument.paintError = "word word word word word word";
  const TBitmap& failed = Paint();
  int lowestText = -1;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x)
      if (failed.Pixel(x, y) == Rgb(clWhite)) lowestText = y;
  EXPECT_GT(lowestText, 20);  // more than one line
}

TEST_F(InstrumentPaintTest, AMetafileTargetIsPaintedDirectlyWithoutOnPaint) {
  instrument.RecordUserEvents();
  instrument.Canvas().SetDeviceTechnology(DT_METAFILE);
  const TBitmap& image = Paint();
  EXPECT_EQ(instrument.log, (Log{"Lock", "PaintTo", "Unlock"}));
  EXPECT_EQ(instrument.lastPaintCanvas, &instrument.Canvas());
  EXPECT_EQ(image.Pixel(10, 6), Rgb(clRed));
  instrument.paintError = "broken";
  EXPECT_NO_THROW(Paint());
}

TEST_F(InstrumentPaintTest, RaisedAndLoweredBordersAreTwoPixelRings) {
  instrument.SetBackGroundColor(clBlue);
  instrument.SetBorderStyle(ibsRaised);
  const TBitmap& raised = Paint();
  EXPECT_EQ(raised.Pixel(5, 0), Rgb(cl3DLight));
  EXPECT_EQ(raised.Pixel(19, 5), Rgb(cl3DDkShadow));
  EXPECT_EQ(raised.Pixel(5, 1), Rgb(clBtnHighlight));
  EXPECT_EQ(raised.Pixel(18, 5), Rgb(clBtnShadow));
  EXPECT_EQ(raised.Pixel(2, 2), Rgb(clBlue));

  instrument.SetBorderStyle(ibsLowered);
  const TBitmap& lowered = Paint();
  EXPECT_EQ(lowered.Pixel(5, 0), Rgb(clBtnShadow));
  EXPECT_EQ(lowered.Pixel(19, 5), Rgb(clBtnHighlight));
  EXPECT_EQ(lowered.Pixel(5, 1), Rgb(cl3DDkShadow));
  EXPECT_EQ(lowered.Pixel(18, 5), Rgb(cl3DLight));
  EXPECT_EQ(lowered.Pixel(2, 2), Rgb(clBlue));

  instrument.SetBorderStyle(ibsNone);
  EXPECT_EQ(Paint().Pixel(0, 0), Rgb(clBlue));
}

TEST_F(InstrumentPaintTest, ABackgroundPictureIsStretchedWithoutBorderAndAnEmptyOneCountsAsNone) {
  instrument.SetBackGroundColor(clBlue);
  instrument.SetBorderStyle(ibsRaised);
  TBitmap empty;
  instrument.SetBackGroundPicture(empty);
  EXPECT_EQ(Paint().Pixel(5, 0), Rgb(cl3DLight));  // width 0: colour and border

  TBitmap picture(2, 1);
  picture.SetPixel(0, 0, clYellow);
  picture.SetPixel(1, 0, clGreen);
  const int before = instrument.invalidations;
  instrument.SetBackGroundPicture(picture);
  EXPECT_GT(instrument.invalidations, before);  // the picture's change repaints
  const TBitmap& image = Paint();
  EXPECT_EQ(image.Pixel(0, 0), Rgb(clYellow));
  EXPECT_EQ(image.Pixel(9, 11), Rgb(clYellow));
  EXPECT_EQ(image.Pixel(10, 0), Rgb(clGreen));
  EXPECT_EQ(image.Pixel(19, 11), Rgb(clGreen));
  EXPECT_EQ(CountPixels(image, clBlue), 0);
}

class InstrumentTransparencyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 120, 80);
    form.SetColor(clTeal);
    instrument = new TTestInstrument(&form);
    instrument->SetBounds(10, 10, 40, 30);
    instrument->SetBackGroundColor(clBlue);
    instrument->SetParent(&form);
    cover = new TTestInstrument(&form);  // on top of the instrument's bottom-right test point
    cover->SetBounds(40, 30, 20, 20);
    cover->SetParent(&form);
    form.Show();
    QApplication::processEvents();
  }
  const TBitmap& Shown() {
    instrument->Repaint();
    return instrument->PaintBuffer();
  }

  TForm form{nullptr};
  TTestInstrument* instrument = nullptr;
  TTestInstrument* cover = nullptr;
};

TEST_F(InstrumentTransparencyTest, APartlyCoveredControlShowsItsColourUntilAllFourPointsAreVisible) {
  instrument->SetTransparent(true);
  ASSERT_NE(instrument->ParentSnapshot(), nullptr);
  EXPECT_TRUE(instrument->SnapshotPending());
  EXPECT_EQ(Shown().Pixel(2, 2), Rgb(clBlue));  // flat background colour
  EXPECT_TRUE(instrument->SnapshotPending());
  EXPECT_EQ(Shown().Pixel(2, 2), Rgb(clBlue));  // tried again, still covered

  cover->SetLeft(90);
  QApplication::processEvents();
  const TBitmap& image = Shown();
  EXPECT_FALSE(instrument->SnapshotPending());
  EXPECT_EQ(image.Pixel(2, 2), Rgb(clTeal));  // what lies behind
  EXPECT_EQ(image.Pixel(39, 29), Rgb(clTeal));
  EXPECT_EQ(image.Pixel(20, 15), Rgb(clRed));  // the instrument's own drawing on top
}

TEST_F(InstrumentTransparencyTest, BoundsChangesAskForANewSnapshotAndTurningItOffFreesIt) {
  cover->SetLeft(90);
  instrument->SetTransparent(true);
  Shown();
  ASSERT_FALSE(instrument->SnapshotPending());
  instrument->SetBounds(12, 10, 40, 30);
  EXPECT_TRUE(instrument->SnapshotPending());
  instrument->SetBounds(12, 10, 40, 30);  // the same bounds: nothing
  EXPECT_TRUE(instrument->SnapshotPending());
  instrument->SetBounds(12, 10, 50, 20);
  EXPECT_EQ(instrument->ParentSnapshot()->Width(), 50);
  EXPECT_EQ(instrument->ParentSnapshot()->Height(), 20);

  instrument->SetTransparent(false);
  EXPECT_EQ(instrument->ParentSnapshot(), nullptr);
  EXPECT_EQ(Shown().Pixel(2, 2), Rgb(clBlue));
}

// An opaque instrument paints straight into its buffer: each paint still
// starts on white (nothing of the parent or of the last paint shows where
// it draws nothing), and a paint that fails after PaintTo presents the
// pixels beneath, as if nothing of it was drawn.
TEST_F(InstrumentTransparencyTest, AnOpaqueInstrumentStartsOnWhiteAndAFailedPaintLeavesThePixelsBeneath) {
  cover->SetLeft(90);
  QApplication::processEvents();
  EXPECT_EQ(Shown().Pixel(2, 2), Rgb(clBlue));
  TBitmap clearPicture(1, 1);  // its only colour is transparent: the background shows nothing
  clearPicture.SetTransparent(true);
  instrument->SetBackGroundPicture(clearPicture);
  EXPECT_EQ(Shown().Pixel(2, 2), Rgb(clWhite));

  instrument->SetOnPaint([](TObject*, TCanvas&) { throw Exception("broken"); });
  const TBitmap& failed = Shown();
  EXPECT_EQ(failed.Pixel(2, 2), Rgb(clTeal));
  EXPECT_EQ(failed.Pixel(20, 15), Rgb(clTeal));  // not the mark PaintTo drew
}

}  // namespace
}  // namespace tintoral::test
