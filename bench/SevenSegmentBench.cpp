// One paint of the analog seven-segment readout (84 x 28, sign cell, four
// digits, three decimals, showing -0.123) against a QLCDNumber of the same
// size showing the same digits, rendered with QWidget::render into a QImage.
// Compare the medians of the *Ours* and *QLCDNumber* runs.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QLCDNumber>

#include "instruments/SevenSegmentAnalog.h"
#include "platform/graphics/Bitmap.h"
#include "system/Locale.h"

namespace {

using namespace tintoral;

constexpr int Width = 84;
constexpr int Height = 28;
constexpr double Value = -0.123;

// PaintTo alone, into a bitmap of the control's size.
void BM_AnalogReadout_Ours_PaintTo(benchmark::State& state) {
  ScopedDecimalSeparator point('.');
  TiSevenSegmentAnalog readout(nullptr);
  readout.SetPrecision(3);
  readout.SetValue(Value);
  TBitmap bitmap(Width, Height);
  for (auto _ : state) {
    readout.PaintTo(bitmap.Canvas());
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
}
BENCHMARK(BM_AnalogReadout_Ours_PaintTo)->Repetitions(25)->ReportAggregatesOnly(true);

// The control's full paint path: fresh off-screen bitmap, PaintTo, and
// presenting it in the control's paint buffer.
void BM_AnalogReadout_Ours_PaintBuffer(benchmark::State& state) {
  ScopedDecimalSeparator point('.');
  TiSevenSegmentAnalog readout(nullptr);
  readout.SetPrecision(3);
  readout.SetValue(Value);
  for (auto _ : state) {
    readout.PaintBufferNow(false);
    benchmark::DoNotOptimize(readout.PaintBuffer().ScanLine(0));
  }
}
BENCHMARK(BM_AnalogReadout_Ours_PaintBuffer)->Repetitions(25)->ReportAggregatesOnly(true);

void BM_AnalogReadout_QLCDNumber(benchmark::State& state) {
  QLCDNumber lcd;
  lcd.setSegmentStyle(QLCDNumber::Filled);
  lcd.setSmallDecimalPoint(true);
  lcd.setDigitCount(5);
  lcd.resize(Width, Height);
  lcd.display(QStringLiteral("-0.123"));
  QImage image(Width, Height, QImage::Format_RGB32);
  for (auto _ : state) {
    lcd.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_AnalogReadout_QLCDNumber)->Repetitions(25)->ReportAggregatesOnly(true);

}  // namespace
