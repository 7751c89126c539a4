#pragma once
// Shared by the program's tests: the classes its layouts use, registered once.
#include "instruments/InstrumentClasses.h"
#include "platform/window/Form.h"
#include "platform/window/StandardControls.h"

namespace tintoral::app_testing {

inline void RegisterLayoutClasses() {
  RegisterWindowClasses();
  RegisterStandardControls();
  RegisterInstruments();
}

}  // namespace tintoral::app_testing
