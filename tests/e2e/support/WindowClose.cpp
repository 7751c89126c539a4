#include "tests/e2e/support/WindowClose.h"

#include <X11/Xlib.h>

#include <stdexcept>

namespace tintoral::e2e {
namespace {

std::string DisplayName(const Environment& display) {
  for (const std::string& entry : display)
    if (entry.rfind("DISPLAY=", 0) == 0) return entry.substr(8);
  throw std::runtime_error("no DISPLAY in the client environment");
}

}  // namespace

void AskWindowToClose(const Environment& display, const std::string& window) {
  const std::string name = DisplayName(display);
  Display* connection = XOpenDisplay(name.c_str());
  if (connection == nullptr) throw std::runtime_error("cannot open display " + name);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = static_cast<Window>(std::stoul(window));
  event.xclient.message_type = XInternAtom(connection, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(connection, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(connection, event.xclient.window, False, NoEventMask, &event);
  XCloseDisplay(connection);  // flushes the event
}

}  // namespace tintoral::e2e
