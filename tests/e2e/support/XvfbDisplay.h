#pragma once
// A private X display: an Xvfb server on a free display number, started for
// one test and stopped with it. Xvfb runs no window manager, so top-level
// windows have no frames: a window's position is its client area's.
#include <memory>
#include <string>

#include "tests/e2e/support/Process.h"

namespace tintoral::e2e {

class XvfbDisplay {
 public:
  static constexpr int kScreenWidth = 1280;
  static constexpr int kScreenHeight = 1024;

  // True when the Xvfb program is installed.
  static bool Available();

  // Starts the server with a screen of the given size and waits until it
  // accepts connections. Throws std::runtime_error when it does not come up.
  explicit XvfbDisplay(int width = kScreenWidth, int height = kScreenHeight);

  // ":N", for DISPLAY.
  const std::string& Name() const { return name_; }
  // The environment entries that point a program at this display.
  Environment ClientEnvironment() const;

 private:
  std::unique_ptr<ChildProcess> server_;
  std::string name_;
};

}  // namespace tintoral::e2e
