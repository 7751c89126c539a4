#pragma once
// Looking at and driving windows of an X display with xdotool, and taking
// screenshots with our screengrab tool.
#include <chrono>
#include <optional>
#include <string>

#include "tests/e2e/support/Process.h"

namespace tintoral {
class TBitmap;
}

namespace tintoral::e2e {

struct WindowGeometry {
  int x = 0, y = 0, width = 0, height = 0;
};

// What a window search found: the window's id, or nothing and the search
// tool's error output.
struct WindowSearch {
  std::optional<std::string> window;
  std::string errors;
};

class XTools {
 public:
  // `screengrab`: path of the screengrab program.
  XTools(Environment display, std::string screengrab);

  // The id of the visible window whose title matches the regular expression,
  // waiting for it to appear; nothing after `timeout`. The limits are long
  // for a loaded machine: a wait that succeeds ends at once.
  std::optional<std::string> WaitForWindow(const std::string& titlePattern,
                                           std::chrono::milliseconds timeout = std::chrono::seconds(60)) const;
  // The same, with the search tool's error output when nothing was found. A
  // search that fails before `timeout` (xdotool cannot open a display that
  // is starting afresh) is tried again.
  WindowSearch SearchWindow(const std::string& titlePattern, std::chrono::milliseconds timeout) const;
  // Whether a visible window with such a title exists now.
  bool WindowVisible(const std::string& titlePattern) const;
  // Waits until no visible window has such a title; false after `timeout`.
  bool WaitForWindowGone(const std::string& titlePattern,
                         std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;
  // Position (relative to the root window) and size of a window.
  WindowGeometry Geometry(const std::string& window) const;

  // Clicks the left button at a point of a window's client area.
  void Click(const std::string& window, int x, int y) const;
  // Presses the left button at a point of a window's client area, moves the
  // pointer to another point of it (or beyond its edges) and releases it there.
  void Drag(const std::string& window, int x, int y, int toX, int toY) const;
  // Turns the wheel one notch with the pointer at a point of a window's
  // client area: away from the user (button 4) or towards the user (button 5).
  void TurnWheel(const std::string& window, int x, int y, bool awayFromUser) const;
  // Moves the pointer to a point of the screen.
  void MovePointer(int x, int y) const;
  // Gives the window the keyboard focus and presses a key ("Return"); the
  // window passes it on to its focused control.
  void PressKey(const std::string& window, const std::string& key) const;

  // A property of a window as xprop prints it ("WM_CLASS(STRING) = ..."),
  // empty when xprop fails.
  std::string WindowProperty(const std::string& window, const std::string& property) const;

  // A screenshot of a window (or the whole screen for "root").
  void Screenshot(const std::string& window, TBitmap& into) const;
  // Takes screenshots until one has pixels of more than one colour;
  // false after `timeout`.
  bool WaitForPaintedWindow(const std::string& window, TBitmap& into,
                            std::chrono::milliseconds timeout = std::chrono::seconds(60)) const;

 private:
  CommandResult XDoTool(const std::vector<std::string>& args) const;

  Environment display_;
  std::string screengrab_;
};

// True when every pixel of the bitmap has the same colour.
bool Uniform(const TBitmap& bitmap);

}  // namespace tintoral::e2e
