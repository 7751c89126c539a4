// TCanvas::TextOut against QPainter::drawText drawing the same short texts in
// the same font at the same points of an image of the same size.
#include <benchmark/benchmark.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FontResolver.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

constexpr int kWidth = 305;
constexpr int kHeight = 233;

struct PlacedText {
  int x;
  int y;
  std::string text;
};

const std::vector<PlacedText>& Texts() {
  static const std::vector<PlacedText> texts = [] {
    const char* words[] = {
        "100", "Luminancia", "R-Y = 0,70", "B-Y", "0,631",      "Ang:", "Mod:",  "103.5", "U = 0,493", "V",
        "75",  "50",         "25",         "0",   "Versi\xF3n", "Rojo", "Verde", "Azul",  "283.5",     "-0,11"};
    std::vector<PlacedText> placed;
    int i = 0;
    for (const char* word : words) {
      placed.push_back({5 + (i % 4) * 75, 5 + (i / 4) * 40, word});
      ++i;
    }
    return placed;
  }();
  return texts;
}

void SetTextFont(TFont& font) {
  font.SetName("MS Sans Serif");
  font.SetHeight(-11);
  font.SetColor(clBlack);
}

void BM_CanvasTextOut(benchmark::State& state) {
  TBitmap bitmap(kWidth, kHeight);
  TCanvas& canvas = bitmap.Canvas();
  SetTextFont(canvas.Font());
  canvas.Brush().SetStyle(state.range(0) ? bsSolid : bsClear);
  for (auto _ : state) {
    for (const PlacedText& placed : Texts()) canvas.TextOut(placed.x, placed.y, placed.text);
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
}

void BM_QPainterDrawText(benchmark::State& state) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  TFont font;
  SetTextFont(font);
  const QFont qfont = ResolveFont(font).QtFont();
  const int ascent = ResolveFont(font).Ascent();
  std::vector<QString> strings;
  for (const PlacedText& placed : Texts())
    strings.push_back(QString::fromStdU16String(Windows1252ToUtf16(placed.text)));
  QPainter painter(&image);
  painter.setFont(qfont);
  painter.setPen(Qt::black);
  if (state.range(0)) {
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
  }
  for (auto _ : state) {
    for (std::size_t i = 0; i < strings.size(); ++i)
      painter.drawText(QPoint(Texts()[i].x, Texts()[i].y + ascent), strings[i]);
    benchmark::DoNotOptimize(image.constScanLine(0));
  }
}

// Argument: 0 draws glyphs only, 1 fills the text cell too.
BENCHMARK(BM_CanvasTextOut)->Arg(0)->Arg(1);
BENCHMARK(BM_QPainterDrawText)->Arg(0)->Arg(1);

}  // namespace
}  // namespace tintoral
