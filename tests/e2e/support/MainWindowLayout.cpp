#include "tests/e2e/support/MainWindowLayout.h"

#include <stdexcept>

#include "app/MainForm.h"
#include "instruments/InstrumentClasses.h"
#include "platform/window/Control.h"
#include "platform/window/Form.h"
#include "platform/window/StandardControls.h"

namespace tintoral::e2e {
namespace {

// Built once and kept to the end of the process: its widgets cannot outlive
// the Qt application, which main() destroys before static objects go.
const TForm1& MainWindow() {
  static const TForm1* const window = [] {
    RegisterWindowClasses();
    RegisterStandardControls();
    RegisterInstruments();
    return new TForm1(nullptr);
  }();
  return *window;
}

}  // namespace

TRect ControlRectInMainWindow(const std::string& name) {
  const auto* control = MainWindow().FindComponentAs<TControl>(name);
  if (!control) throw std::runtime_error("The main window has no control " + name);
  const TPoint origin = control->ClientOriginIn(nullptr);
  return Bounds(origin.X, origin.Y, control->Width(), control->Height());
}

}  // namespace tintoral::e2e
