// One slider step on the shown main window with the test-signal window open
// beside it: an Up or Down key sent to the focused green slider, through the
// handler, Refrescar and the test-signal window following (standards table,
// fields, bar strip and vectorscope redrawn), then Qt's event processing
// until every repaint of both windows is painted and flushed
// (*SliderStep_SecondWindowOpen*). *SliderStep_SecondWindowClosed* is the
// same step after the window was opened and closed again, to compare with
// MainWindowBench's step, which never opens it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include "app/MainForm.h"
#include "app/TestSignalsForm.h"
#include "instruments/InstrumentClasses.h"
#include "instruments/Slider.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/Form.h"
#include "platform/window/StandardControls.h"

namespace {

using namespace tintoral;

// The main window and the test-signal window, shown, with the keyboard
// focus on the main window's green slider. Kept until the process ends: the
// Qt application they need is gone by the time static objects are destroyed.
struct TwoWindows {
  static TwoWindows& Get() {
    static auto* windows = [] {
      RegisterWindowClasses();
      RegisterStandardControls();
      RegisterInstruments();
      return new TwoWindows;
    }();
    return *windows;
  }

  void SetSecondWindowShown(bool shown) {
    form.Show();
    if (shown) form.ShowTestSignals();
    else if (form.TestSignals()) form.TestSignals()->Hide();
    form.CursorVerde->SetFocus();
    QApplication::processEvents();
  }

  // Up from 0, Down from 1: every step changes the position.
  [[gnu::noinline]] void Step() {
    const int key = form.CursorVerde->Position() < 0.5 ? Qt::Key_Up : Qt::Key_Down;
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent event(type, key, Qt::NoModifier);
      QApplication::sendEvent(form.CursorVerde->Widget(), &event);
    }
    QApplication::processEvents();
  }

  TForm1 form{nullptr};
};

void BM_TestSignals_SliderStep_SecondWindowOpen(benchmark::State& state) {
  TwoWindows& windows = TwoWindows::Get();
  windows.SetSecondWindowShown(true);
  for (auto _ : state) windows.Step();
}
BENCHMARK(BM_TestSignals_SliderStep_SecondWindowOpen);

void BM_TestSignals_SliderStep_SecondWindowClosed(benchmark::State& state) {
  TwoWindows& windows = TwoWindows::Get();
  windows.SetSecondWindowShown(false);
  for (auto _ : state) windows.Step();
}
BENCHMARK(BM_TestSignals_SliderStep_SecondWindowClosed);

}  // namespace
