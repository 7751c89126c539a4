#pragma once
// Asks a top-level window to close the way a window manager does when its
// user clicks the close box: a WM_DELETE_WINDOW message. Xvfb runs no
// window manager and xdotool only destroys windows, which a program cannot
// survive cleanly.
#include <string>

#include "tests/e2e/support/Process.h"

namespace tintoral::e2e {

// `display`: the client environment naming the display ("DISPLAY=:n");
// `window`: the window id as xdotool prints it. Throws std::runtime_error
// when the display cannot be opened.
void AskWindowToClose(const Environment& display, const std::string& window);

}  // namespace tintoral::e2e
