// One slider step on the shown main window: an Up or Down key sent to the
// focused green slider's window, through the input dispatch, the slider's
// handler and Refrescar, then Qt's event processing until every repaint it
// asked for is painted and flushed (*SliderStep_Full*).
//
// The split of that step:
//   *SliderStep_InputAndRefresh*: the key up to the end of the handler
//     (computation, the readouts' and swatches' setters, the diagram drawn
//     on its bitmap, the repaint requests); the repaints run off the clock.
//   *Compute*: ComputeColorSignals alone; *VectorDiagram*: the diagram's
//     drawing alone.
//   *Paint/<control>*: the paint of each window the step repaints (found by
//     counting paint events), into its paint buffer.
//   The window system's share (Qt's repaint manager, composing the buffers
//   on the backing store, the flush) is Full minus InputAndRefresh minus the
//   sum of the paints.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <map>
#include <string>
#include <vector>

#include "app/ColorSignals.h"
#include "app/MainForm.h"
#include "app/VectorDiagram.h"
#include "instruments/InstrumentClasses.h"
#include "instruments/Slider.h"
#include "platform/graphics/Bitmap.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/Form.h"
#include "platform/window/StandardControls.h"

namespace {

using namespace tintoral;

// The area each window is asked to paint.
class PaintRecorder : public QObject {
 public:
  std::map<QObject*, QRect> paints;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) paints[watched] |= static_cast<QPaintEvent*>(event)->rect();
    return false;
  }
};

// The program's main window, shown, with the keyboard focus on the green slider.
class ShownMainWindow {
 public:
  ShownMainWindow() {
    form.Show();
    form.CursorVerde->SetFocus();
    QApplication::processEvents();
  }
  ~ShownMainWindow() { form.Hide(); }

  // Up from 0, Down from 1: every step changes the position.
  void SendStepKey() {
    const int key = form.CursorVerde->Position() < 0.5 ? Qt::Key_Up : Qt::Key_Down;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(form.CursorVerde->Widget(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(form.CursorVerde->Widget(), &release);
  }
  static void PaintEverythingPending() { QApplication::processEvents(); }
  // The whole step, kept out of line so that a profiler can count it alone
  // (valgrind --tool=callgrind '--toggle-collect=*ShownMainWindow::Step*').
  [[gnu::noinline]] void Step() {
    SendStepKey();
    PaintEverythingPending();
  }

  // The windows one step repaints, with the part of each it paints.
  std::map<TWinControl*, TRect> RepaintedByAStep() {
    PaintRecorder recorder;
    qApp->installEventFilter(&recorder);
    SendStepKey();
    PaintEverythingPending();
    qApp->removeEventFilter(&recorder);
    std::map<TWinControl*, TRect> repainted;
    const auto add = [&](TWinControl* control) {
      const auto found = control->Widget() ? recorder.paints.find(control->Widget()) : recorder.paints.end();
      if (found == recorder.paints.end()) return;
      const QRect& r = found->second;
      repainted[control] = {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    };
    for (int i = 0; i < form.ComponentCount(); ++i)
      if (auto* control = dynamic_cast<TWinControl*>(form.Components(i))) add(control);
    add(&form);
    return repainted;
  }

  // The layout's classes are registered before the window reads it.
  const bool classesRegistered = [] {
    RegisterWindowClasses();
    RegisterStandardControls();
    RegisterInstruments();
    return true;
  }();
  TForm1 form{nullptr};
};

// Kept until the process ends: the Qt application it needs is gone by the
// time static objects are destroyed.
ShownMainWindow& Window() {
  static ShownMainWindow* window = new ShownMainWindow;
  return *window;
}

void BM_MainWindow_SliderStep_Full(benchmark::State& state) {
  ShownMainWindow& window = Window();
  for (auto _ : state) window.Step();
  state.counters["windows_painted"] = static_cast<double>(window.RepaintedByAStep().size());
}
BENCHMARK(BM_MainWindow_SliderStep_Full);

void BM_MainWindow_SliderStep_InputAndRefresh(benchmark::State& state) {
  ShownMainWindow& window = Window();
  for (auto _ : state) {
    window.SendStepKey();
    state.PauseTiming();
    ShownMainWindow::PaintEverythingPending();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MainWindow_SliderStep_InputAndRefresh);

void BM_MainWindow_Compute(benchmark::State& state) {
  double green = 0;
  for (auto _ : state) {
    green = green < 0.5 ? 1 : 0;
    benchmark::DoNotOptimize(ComputeColorSignals(0, green, 0));
  }
}
BENCHMARK(BM_MainWindow_Compute);

void BM_MainWindow_VectorDiagram(benchmark::State& state) {
  TBitmap bitmap(kVectorDiagramWidth, kVectorDiagramHeight);
  const TColorSignalValues s = ComputeColorSignals(0, 1, 0);
  for (auto _ : state) {
    DrawVectorDiagram(bitmap.Canvas(), s.U, s.V);
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
}
BENCHMARK(BM_MainWindow_VectorDiagram);

// The diagram as a step redraws it: only the values, green 0 and 1 in turn.
void BM_MainWindow_VectorDiagramStep(benchmark::State& state) {
  TBitmap bitmap(kVectorDiagramWidth, kVectorDiagramHeight);
  TVectorDiagramSurface surface;
  const TColorSignalValues steps[] = {ComputeColorSignals(0, 0, 0), ComputeColorSignals(0, 1, 0)};
  int i = 0;
  for (auto _ : state) {
    const TColorSignalValues& s = steps[i ^= 1];
    benchmark::DoNotOptimize(surface.Redraw(bitmap.Canvas(), s.U, s.V));
  }
}
BENCHMARK(BM_MainWindow_VectorDiagramStep);

// The paint of each window that may take part in a step, of the part the
// step repaints (all of it when the step leaves it alone); the counter
// "in_step" tells whether a step repaints it (1) or not (0).
const char* const kWindows[] = {"Form1",    "PageControl1", "TabSheet1",  "Panel1",   "CursorVerde", "Panel",
                                "PanelY",   "Panel2",       "ValorVerde", "Panel3",   "ValorLumi",   "Panel4",
                                "ValorR_Y", "ValorV",       "Panel5",     "ValorB_Y", "ValorU",      "LCD_Main"};

TWinControl* WindowNamed(const std::string& name) {
  TForm1& form = Window().form;
  if (name == form.Name()) return &form;
  return dynamic_cast<TWinControl*>(form.FindComponent(name));
}

void PaintOf(benchmark::State& state, const std::string& name) {
  TWinControl* control = WindowNamed(name);
  if (!control) {
    state.SkipWithError("no such window");
    return;
  }
  const std::map<TWinControl*, TRect> repainted = Window().RepaintedByAStep();
  const auto found = repainted.find(control);
  const bool inStep = found != repainted.end();
  const TRect area = inStep ? found->second : control->ClientRect();
  for (auto _ : state) {
    control->PaintBufferNow(true, area);
    benchmark::DoNotOptimize(control->PaintBuffer().ScanLine(0));
  }
  state.counters["in_step"] = inStep ? 1 : 0;
}

const bool registered = [] {
  for (const char* name : kWindows)
    benchmark::RegisterBenchmark((std::string("BM_MainWindow_Paint/") + name).c_str(),
                                 [name = std::string(name)](benchmark::State& state) { PaintOf(state, name); });
  return true;
}();

}  // namespace
