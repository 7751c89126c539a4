#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <vector>

#include "AboutBoxLayout.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/Form.h"
#include "platform/window/Image.h"
#include "platform/window/Label.h"
#include "platform/window/Panel.h"
#include "platform/window/StandardPainting.h"
#include "runtime/FormWriter.h"
#include "tests/platform/graphics/CanvasTestSupport.h"
#include "tests/platform/window/StandardControlsTestSupport.h"

namespace tintoral {
namespace {

TEST(ImagePlacementTest, PictureKeepsItsSizeUnlessStretched) {
  EXPECT_EQ(ImageDestRect(292, 191, 261, 149, {}), (TRect{0, 0, 292, 191}));
  EXPECT_EQ(ImageDestRect(292, 191, 261, 149, {.stretch = true}), (TRect{0, 0, 261, 149}));
  EXPECT_EQ(ImageDestRect(20, 10, 100, 50, {.center = true}), (TRect{40, 20, 60, 30}));
}

TEST(ImagePlacementTest, ProportionalKeepsTheAspectAndShrinksOnlyWhatIsTooLarge) {
  // 292 × 191 into 261 × 149: the height limits, width = trunc(149 × 292 / 191).
  EXPECT_EQ(ImageDestRect(292, 191, 261, 149, {.proportional = true}), (TRect{0, 0, 227, 149}));
  EXPECT_EQ(ImageDestRect(100, 200, 50, 300, {.proportional = true}), (TRect{0, 0, 50, 100}));
  // Small pictures are not enlarged without Stretch, but are with it.
  EXPECT_EQ(ImageDestRect(20, 10, 100, 100, {.proportional = true}), (TRect{0, 0, 20, 10}));
  EXPECT_EQ(ImageDestRect(20, 10, 100, 100, {.stretch = true, .proportional = true}), (TRect{0, 0, 100, 50}));
  EXPECT_EQ(ImageDestRect(20, 10, 100, 100, {.stretch = true, .center = true, .proportional = true}),
            (TRect{0, 25, 100, 75}));
}

TEST(ImageTest, AboutPictureIsStretchedOverItsFrameExactly) {
  const auto png = test::AboutPicturePng();
  auto form = test::ReadForm(test::AboutBoxText(png));
  auto* panel = form->FindComponentAs<TPanel>("Panel1");
  auto* image = form->FindComponentAs<TImage>("ProgramIcon");
  ASSERT_TRUE(panel && image);
  EXPECT_EQ(image->Picture().Width(), 292);
  EXPECT_EQ(image->Picture().Height(), 191);
  EXPECT_EQ(image->Width(), 261);
  EXPECT_EQ(image->Height(), 149);

  TBitmap shown;
  panel->RenderTo(shown);
  test::PixelSet picture;  // the picture's pixels carry blue 99
  for (int y = 0; y < shown.Height(); ++y)
    for (int x = 0; x < shown.Width(); ++x)
      if ((shown.Pixel(x, y) >> 16) == 99) picture.insert({x, y});
  EXPECT_EQ(picture, test::AreaPixels(12, 32, 273, 181));
  EXPECT_EQ(shown.Pixel(12, 32), RGB(0, 0, 99));
  EXPECT_EQ(shown.Pixel(272, 180), RGB(291 & 0xFF, 190, 99));  // the last source pixels
  EXPECT_EQ(shown.Pixel(142, 106),
            RGB(146, 95, 99));  // the source pixel under the centre: 292/261 across, 191/149 down

  // The labels read their Windows-1252 captions.
  EXPECT_EQ(form->FindComponentAs<TLabel>("Version")->Caption().substr(0, 11), "Versi\xF3n 1.0");
}

TEST(ImageTest, PngBytesSurviveAFormStreamRoundTrip) {
  const auto png = test::AboutPicturePng();
  auto form = test::ReadForm(test::AboutBoxText(png));
  const std::string text = WriteComponentText(*form);
  EXPECT_TRUE(test::HasLine(text, "Stretch = True"));
  EXPECT_EQ(text.find("Proportional"), std::string::npos);
  auto again = test::ReadForm(text);
  auto* image = again->FindComponentAs<TImage>("ProgramIcon");
  EXPECT_EQ(image->Picture().Kind(), TGraphicKind::Png);
  EXPECT_EQ(image->Picture().PngBytes(), png);
  EXPECT_EQ(WriteComponentText(*again), text);
}

// An image that counts its repaint requests.
class TCountingImage : public TImage {
 public:
  using TImage::TImage;
  int invalidations = 0;
  void Invalidate() override {
    ++invalidations;
    TImage::Invalidate();
  }
};

TEST(ImageTest, CanvasIsABitmapOfTheControlSizeAndDrawingRepaints) {
  SystemColors::ResetToClassic();
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 400, 300);
  TCountingImage image(nullptr);
  image.SetParent(&parent);
  image.SetBounds(320, 176, 305, 233);
  EXPECT_TRUE(image.Picture().Empty());

  TCanvas& canvas = image.Canvas();
  EXPECT_EQ(image.Picture().Kind(), TGraphicKind::Bitmap);
  EXPECT_EQ(image.Picture().Width(), 305);
  EXPECT_EQ(image.Picture().Height(), 233);
  EXPECT_EQ(image.Picture().Graphic()->Pixel(100, 100), clWhite);

  const int before = image.invalidations;
  canvas.Pen().SetColor(clRed);
  canvas.MoveTo(10, 20);
  canvas.LineTo(50, 20);
  EXPECT_GT(image.invalidations, before);
  TBitmap shown;
  image.RenderTo(shown);
  EXPECT_EQ(shown.Pixel(10, 20), clRed);
  EXPECT_EQ(shown.Pixel(49, 20), clRed);
  EXPECT_EQ(shown.Pixel(50, 20), clWhite);
  image.SetParent(nullptr);
}

TEST(ImageTest, TransparentPictureShowsTheParentAndAutoSizeFollowsThePicture) {
  SystemColors::ResetToClassic();
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 50, 50);
  parent.SetColor(clNavy);
  TImage image(nullptr);
  image.SetParent(&parent);
  image.SetBounds(0, 0, 20, 20);
  TBitmap bitmap(4, 3);
  bitmap.SetPixel(0, 2, clOlive);  // the lower-left colour
  bitmap.SetPixel(1, 1, clOlive);
  image.Picture().SetBitmap(bitmap);
  image.SetTransparent(true);
  EXPECT_TRUE(image.Picture().Graphic()->Transparent());
  TBitmap shown;
  image.RenderTo(shown);
  EXPECT_EQ(shown.Pixel(1, 1), clNavy);
  EXPECT_EQ(shown.Pixel(2, 1), clWhite);
  EXPECT_EQ(shown.Pixel(5, 5), clNavy);

  image.SetAutoSize(true);
  EXPECT_EQ(image.Width(), 4);
  EXPECT_EQ(image.Height(), 3);
  image.SetParent(nullptr);
}

// The part of the parent each paint is asked for.
class PaintAreas : public QObject {
 public:
  std::vector<QRect> rects;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) rects.push_back(static_cast<QPaintEvent*>(event)->rect());
    return false;
  }
};

// Drawing through DrawOnPicture repaints the part the drawing names, moved
// to where the picture shows (centred here), and shows the new pixels
// there; a stretched picture repaints the whole image.
TEST(ImageTest, DrawOnPictureRepaintsOnlyTheNamedPart) {
  SystemColors::ResetToClassic();
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 120, 80);
  auto* image = new TImage(&form);
  image->SetParent(&form);
  image->SetBounds(10, 20, 60, 50);
  image->Picture().SetBitmap(TBitmap(40, 30));
  image->SetCenter(true);  // the picture at (20, 30) on the form
  form.Show();
  QApplication::processEvents();

  const auto paintedAfterDrawing = [&](const TRect& part) {
    PaintAreas areas;
    form.Widget()->installEventFilter(&areas);
    image->DrawOnPicture([&](TCanvas& canvas) {
      canvas.Brush().SetColor(clRed);
      canvas.FillRect(part);
      return part;
    });
    QApplication::processEvents();
    form.Widget()->removeEventFilter(&areas);
    QRect painted;
    for (const QRect& r : areas.rects) painted |= r;
    return painted;
  };
  EXPECT_EQ(paintedAfterDrawing({5, 6, 15, 16}), QRect(25, 36, 10, 10));
  EXPECT_EQ(form.PaintBuffer().Pixel(25, 36), clRed);
  EXPECT_EQ(form.PaintBuffer().Pixel(24, 36), clWhite);
  EXPECT_EQ(paintedAfterDrawing({-5, -5, 3, 2}), QRect(20, 30, 3, 2));  // held to the picture

  image->SetStretch(true);
  QApplication::processEvents();
  EXPECT_EQ(paintedAfterDrawing({5, 6, 15, 16}), QRect(10, 20, 60, 50));
}

}  // namespace
}  // namespace tintoral
