// The main window's slider (65 x 177, red box track, LED pointer, scale
// 0..100 with labels on the right) against a QSlider of the same size
// (vertical, 21 ticks on the right, Fusion style) rendered with
// QWidget::render into a QImage: compare the medians of *Ours_FullPaint*
// and *QSlider*. DragStep is one mouse move through the base's dispatch,
// the position change it makes, and the slider's repaint.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QSlider>
#include <QStyle>
#include <QStyleFactory>
#include <memory>

#include "instruments/Slider.h"
#include "platform/graphics/Bitmap.h"

namespace {

using namespace tintoral;

constexpr int Width = 65;
constexpr int Height = 177;

void SetUpMainWindowSlider(TiSlider& slider) {
  slider.SetBounds(0, 0, Width, Height);
  slider.SetPositionMax(100.0);
  slider.SetTrackColor(clRed);
  TFont font;
  font.SetName("MS Sans Serif");
  font.SetHeight(-11);
  font.SetColor(clWindowText);
  slider.SetTickLabelFont(font);
  slider.SetPosition(50);
}

// PaintTo alone, into a bitmap of the control's size.
void BM_Slider_Ours_PaintTo(benchmark::State& state) {
  TiSlider slider(nullptr);
  SetUpMainWindowSlider(slider);
  TBitmap bitmap(Width, Height);
  for (auto _ : state) {
    slider.PaintTo(bitmap.Canvas());
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
}
BENCHMARK(BM_Slider_Ours_PaintTo)->Repetitions(5)->ReportAggregatesOnly(true);

// The control's full paint path: fresh off-screen bitmap, PaintTo, and
// presenting it in the control's paint buffer.
void BM_Slider_Ours_FullPaint(benchmark::State& state) {
  TiSlider slider(nullptr);
  SetUpMainWindowSlider(slider);
  for (auto _ : state) {
    slider.PaintBufferNow(false);
    benchmark::DoNotOptimize(slider.PaintBuffer().ScanLine(0));
  }
}
BENCHMARK(BM_Slider_Ours_FullPaint)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Slider_QSlider(benchmark::State& state) {
  std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
  QSlider slider(Qt::Vertical);
  slider.setStyle(fusion.get());
  slider.setRange(0, 100);
  slider.setValue(50);
  slider.setTickPosition(QSlider::TicksRight);
  slider.setTickInterval(5);
  slider.resize(Width, Height);
  QImage image(Width, Height, QImage::Format_RGB32);
  for (auto _ : state) {
    slider.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_Slider_QSlider)->Repetitions(5)->ReportAggregatesOnly(true);

// A drag held on the slider, each move changing the position by 20 pixels'
// worth and repainting.
void BM_Slider_Ours_DragStep(benchmark::State& state) {
  TiSlider slider(nullptr);
  SetUpMainWindowSlider(slider);
  slider.DispatchMouseDown(mbLeft, {ssLeft}, 30, 90);
  int step = 0;
  for (auto _ : state) {
    slider.DispatchMouseMove({ssLeft}, 30, (++step & 1) ? 70 : 110);
    slider.PaintBufferNow(false);
    benchmark::DoNotOptimize(slider.PaintBuffer().ScanLine(0));
  }
  slider.DispatchMouseUp(mbLeft, {}, 30, 90);
}
BENCHMARK(BM_Slider_Ours_DragStep)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
