#pragma once
// Where the controls of the program's main window lie in the window's client
// area, as the program's own layout (app/forms/MainForm.txt, compiled into
// the program) places them: the window is built once off-screen in this
// process and asked, so that the page control's tab strip, which decides
// where its page and the sliders on it start, is measured rather than guessed.
#include <string>

#include "platform/graphics/Geometry.h"

namespace tintoral::e2e {

// The named control's bounds in the main window's client coordinates; throws
// std::runtime_error when the window has no such control.
TRect ControlRectInMainWindow(const std::string& name);

}  // namespace tintoral::e2e
