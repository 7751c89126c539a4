// One paint of the main window's colour swatch (a 65 x 65 object canvas,
// one colour in a lowered border) and of one formula caption (a 245 x 25
// shadowed label in bold 19-pixel type), each through the control's full
// paint path, against a stock Qt widget doing the same job rendered with
// QWidget::render into a QImage: a sunken QFrame with a filled background,
// and a QLabel with the same text and font (without a shadow, which QLabel
// lacks). Compare the medians of each *Ours* run with its Qt peer.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPalette>

#include "instruments/ObjectCanvas.h"
#include "instruments/ShadowLabel.h"

namespace {

using namespace tintoral;

constexpr int SwatchSide = 65;
constexpr int LabelWidth = 245;
constexpr int LabelHeight = 25;
const char* const Formula = "Y = 0,30R + 0,59G + 0,11B";

void BM_Swatch_Ours_Paint(benchmark::State& state) {
  TiObjectCanvas swatch(nullptr);
  swatch.SetBounds(0, 0, SwatchSide, SwatchSide);
  swatch.SetBackGroundColor(0x3366CC);
  for (auto _ : state) {
    swatch.PaintBufferNow(false);
    benchmark::DoNotOptimize(swatch.PaintBuffer().ScanLine(0));
  }
}
BENCHMARK(BM_Swatch_Ours_Paint);

void BM_Swatch_QFrame(benchmark::State& state) {
  QFrame frame;
  frame.setFrameStyle(QFrame::Panel | QFrame::Sunken);
  frame.setLineWidth(2);
  frame.setAutoFillBackground(true);
  QPalette palette = frame.palette();
  palette.setColor(QPalette::Window, QColor(0xCC, 0x66, 0x33));
  frame.setPalette(palette);
  frame.resize(SwatchSide, SwatchSide);
  QImage image(SwatchSide, SwatchSide, QImage::Format_RGB32);
  for (auto _ : state) {
    frame.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_Swatch_QFrame);

void BM_FormulaLabel_Ours_Paint(benchmark::State& state) {
  TiLabel label(nullptr);
  label.SetAutoSize(false);
  label.SetBounds(0, 0, LabelWidth, LabelHeight);
  label.Font().SetName("MS Sans Serif");
  label.Font().SetHeight(-19);
  label.Font().SetStyle(FontStyleBit(fsBold));
  label.Font().SetColor(clTeal);
  label.SetShadowShow(true);
  label.SetCaption(Formula);
  for (auto _ : state) {
    label.PaintBufferNow(false);
    benchmark::DoNotOptimize(label.PaintBuffer().ScanLine(0));
  }
}
BENCHMARK(BM_FormulaLabel_Ours_Paint);

void BM_FormulaLabel_QLabel(benchmark::State& state) {
  QLabel label(QString::fromLatin1(Formula));
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(19);
  font.setBold(true);
  label.setFont(font);
  label.resize(LabelWidth, LabelHeight);
  QImage image(LabelWidth, LabelHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    label.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_FormulaLabel_QLabel);

}  // namespace
