// The panel designer on the program's main window form:
//   *OpenMainWindowForm*: reading the form into a design document and the
//     first rendering of the canvas (budget 200 ms);
//   *DragStep*: one step of a mouse drag of a selected control: its bounds
//     set live and the canvas rendered again (budget 2 ms);
//   *DragCommit*: the end of the drag, the form text written for undo.
// Each prints budget_ratio: the CPU time per step over the budget (below 1
// is within it).
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "platform/window/Control.h"
#include "tools/formshot/FormLoading.h"
#include "tools/paneldesigner/DesignDocument.h"

namespace {

using namespace tintoral;

const std::string& MainFormText() {
  static const std::string text = [] {
    RegisterFormClasses();
    std::ifstream in(TINTORAL_SOURCE_DIR "/app/forms/MainForm.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }();
  return text;
}

// CPU time per iteration over the budget (the counter inverts iterations
// times the budget per second of CPU time).
void SetBudget(benchmark::State& state, double budgetSeconds) {
  state.counters["budget_ratio"] =
      benchmark::Counter(budgetSeconds, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void OpenMainWindowForm(benchmark::State& state) {
  const std::string& text = MainFormText();
  TBitmap canvas;
  for (auto _ : state) {
    TDesignDocument document(text);
    document.Root().RenderTo(canvas);
    benchmark::DoNotOptimize(canvas.ScanLine(0));
  }
  SetBudget(state, 0.200);
}
BENCHMARK(OpenMainWindowForm)->Unit(benchmark::kMillisecond);

void DragStep(benchmark::State& state) {
  TDesignDocument document(MainFormText());
  TControl& dragged = *document.FindControl("CursorVerde");
  document.SelectControl(&dragged);
  const TRect start = dragged.BoundsRect();
  TBitmap canvas;
  document.Root().RenderTo(canvas);
  int step = 0;
  for (auto _ : state) {
    const int dx = ++step % 16;
    document.SetBoundsLive(dragged, {start.Left + dx, start.Top, start.Right + dx, start.Bottom});
    document.Root().RenderTo(canvas);
    benchmark::DoNotOptimize(canvas.ScanLine(0));
  }
  SetBudget(state, 0.002);
}
BENCHMARK(DragStep)->Unit(benchmark::kMicrosecond);

void DragCommit(benchmark::State& state) {
  TDesignDocument document(MainFormText());
  TControl& dragged = *document.FindControl("CursorVerde");
  int step = 0;
  for (auto _ : state) {
    dragged.SetLeft(dragged.Left() + (++step % 2 ? 1 : -1));
    benchmark::DoNotOptimize(document.Commit());
  }
}
BENCHMARK(DragCommit)->Unit(benchmark::kMicrosecond)->Iterations(1000);  // each step keeps its undo text

}  // namespace
