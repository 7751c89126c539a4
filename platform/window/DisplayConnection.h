#pragma once
// Qt aborts the program when its X11 platform cannot reach the display. A
// program calls this before it creates its QApplication, to say so in one
// line and exit instead.
#include <optional>
#include <string>

namespace tintoral {

// When Qt would open the X11 platform (QT_QPA_PLATFORM empty or "xcb", and
// no Wayland display given), tries the display named by DISPLAY and returns
// a one-line description of the failure; nothing when it is reachable or
// another platform is in use.
std::optional<std::string> UnreachableDisplay();

}  // namespace tintoral
