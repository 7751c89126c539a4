// One refresh's share of the colour signals: the computation for a slider
// position, the vector diagram drawn on its 305 x 233 bitmap, and the two
// together as every slider step runs them. Positions cycle through a table
// so that nothing is computed once and reused.
#include <benchmark/benchmark.h>

#include <array>

#include "app/ColorSignals.h"
#include "app/VectorDiagram.h"
#include "platform/graphics/Bitmap.h"
#include "system/Locale.h"

namespace tintoral {
namespace {

struct Position {
  double red, green, blue;
};

// The worked colours and a few in between, fractional positions included.
constexpr std::array<Position, 8> kPositions = {{
    {100, 0, 0},
    {0, 100, 100},
    {0, 0, 100},
    {100, 100, 0},
    {10, 20, 30},
    {37.5, 62.25, 80},
    {0, 89, 59},
    {50, 50, 50},
}};

void BM_ComputeColorSignals(benchmark::State& state) {
  const ScopedDecimalSeparator comma(',');
  std::size_t i = 0;
  for (auto _ : state) {
    const Position& p = kPositions[i++ % kPositions.size()];
    benchmark::DoNotOptimize(ComputeColorSignals(p.red, p.green, p.blue));
  }
}
BENCHMARK(BM_ComputeColorSignals);

void BM_DrawVectorDiagram(benchmark::State& state) {
  const ScopedDecimalSeparator comma(',');
  TBitmap bitmap(kVectorDiagramWidth, kVectorDiagramHeight);
  std::array<TColorSignalValues, kPositions.size()> signals;
  for (std::size_t k = 0; k < kPositions.size(); ++k)
    signals[k] = ComputeColorSignals(kPositions[k].red, kPositions[k].green, kPositions[k].blue);
  std::size_t i = 0;
  for (auto _ : state) {
    const TColorSignalValues& s = signals[i++ % signals.size()];
    DrawVectorDiagram(bitmap.Canvas(), s.U, s.V);
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
}
BENCHMARK(BM_DrawVectorDiagram);

void BM_ComputeAndDrawVectorDiagram(benchmark::State& state) {
  const ScopedDecimalSeparator comma(',');
  TBitmap bitmap(kVectorDiagramWidth, kVectorDiagramHeight);
  std::size_t i = 0;
  for (auto _ : state) {
    const Position& p = kPositions[i++ % kPositions.size()];
    const TColorSignalValues s = ComputeColorSignals(p.red, p.green, p.blue);
    DrawVectorDiagram(bitmap.Canvas(), ChromaU(s.BMinusY), ChromaV(s.RMinusY));
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
}
BENCHMARK(BM_ComputeAndDrawVectorDiagram);

}  // namespace
}  // namespace tintoral
