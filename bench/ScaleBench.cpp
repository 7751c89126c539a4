// One full paint of a slider's tick scale as the main window shows it: range
// 0 to 100, five labelled major ticks and four minor ticks between each pair,
// drawn into a 65 x 177 bitmap (the slider's size).
#include <benchmark/benchmark.h>

#include "instruments/base/ScaleObject.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/MainWindowScale.h"

namespace tintoral {
namespace {

void BM_DrawMainWindowScale(benchmark::State& state) {
  TiScaleObject scale;
  test::SetUpMainWindowScale(scale);
  TBitmap bitmap(65, 177);
  for (auto _ : state) {
    scale.DrawScale(bitmap.Canvas());
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
}
BENCHMARK(BM_DrawMainWindowScale)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tintoral
