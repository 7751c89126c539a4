// The instrument base's own paint cost: a fresh off-screen bitmap, the
// background fill, the border, a trivial PaintTo and presenting the bitmap
// in the control's paint buffer, for a 65 x 177 control (a slider's size).
// No window: the control paints through the window core's buffer path.
#include <benchmark/benchmark.h>

#include "instruments/base/InstrumentComponent.h"

namespace {

using namespace tintoral;

class TTrivialInstrument : public TiCustomComponent {
 public:
  explicit TTrivialInstrument(TComponent* owner) : TiCustomComponent(owner) {}
  void PaintTo(TCanvas& canvas) override {
    DrawBackground(canvas, BackGroundColor());
    canvas.SetPixel(32, 88, clRed);
  }
};

void BM_InstrumentPaint(benchmark::State& state, TiBevelStyle border) {
  TTrivialInstrument instrument(nullptr);
  instrument.SetBounds(0, 0, 65, 177);
  instrument.SetBorderStyle(border);
  for (auto _ : state) {
    instrument.PaintBufferNow(false);
    benchmark::DoNotOptimize(instrument.PaintBuffer().ScanLine(0));
  }
}
BENCHMARK_CAPTURE(BM_InstrumentPaint, NoBorder, ibsNone);
BENCHMARK_CAPTURE(BM_InstrumentPaint, Lowered, ibsLowered);

}  // namespace
