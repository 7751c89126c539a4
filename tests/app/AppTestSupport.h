#pragma once
// Shared by the program's tests: the classes its layouts use, registered once.
#include "platform/window/Form.h"
#include "platform/window/StandardControls.h"

namespace tintoral::app_testing {

inline void RegisterLayoutClasses() {
  RegisterWindowClasses();
  RegisterStandardControls();
}

}  // namespace tintoral::app_testing
