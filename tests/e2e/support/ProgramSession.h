#pragma once
// The real program on a private X display: Xvfb started, the program started
// in it with the given environment entries (a locale, say), and its main
// window found and painted. Unless the entries name one (XDG_CONFIG_HOME),
// the program gets an empty settings folder of its own, so that no zoom
// remembered by the user or an earlier test changes its window.
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/support/Process.h"
#include "tests/e2e/support/TemporaryFolder.h"
#include "tests/e2e/support/XTools.h"
#include "tests/e2e/support/XvfbDisplay.h"

namespace tintoral {
class TBitmap;
}

namespace tintoral::e2e {

// In the sanitizer build: the leaks of Qt's and the system libraries' own
// allocations are not the program's (see qt-leaks.supp). Allocation stacks
// are unwound in full, so that those inside Qt can be told by the library
// they pass through. Every program a test starts gets these entries.
inline const Environment kLeakOptions{"LSAN_OPTIONS=suppressions=" LEAK_SUPPRESSIONS ":print_suppressions=0",
                                      "ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0"};

class ProgramSession {
 public:
  // Throws std::runtime_error when the display, the program or its main
  // window does not come up. The program's standard error goes to
  // `errorFd` when given, to /dev/null otherwise; the display has the given
  // screen size.
  explicit ProgramSession(const Environment& programEnvironment, int errorFd = -1,
                          int screenWidth = XvfbDisplay::kScreenWidth, int screenHeight = XvfbDisplay::kScreenHeight);
  ProgramSession(const ProgramSession&) = delete;
  ProgramSession& operator=(const ProgramSession&) = delete;

  const XTools& X() const { return *x_; }
  const std::string& MainWindow() const { return mainWindow_; }
  bool Running() { return program_->Running(); }
  // Closes the main window as its close box does and waits for the program
  // to end: its exit status, or nothing when it still runs after `timeout`.
  std::optional<int> CloseMainWindow(std::chrono::milliseconds timeout = std::chrono::seconds(60));

  // The main window as it looks with the pointer out of the way.
  void ShootMainWindow(TBitmap& into) const;
  // Takes pictures of the main window, the pointer out of the way, until
  // `difference` finds nothing wrong with one (an empty text) and returns
  // that; after `timeout`, what it found in the last picture.
  std::string WaitForMainWindow(const std::function<std::string(const TBitmap&)>& difference,
                                std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

 private:
  // Declared before the program, so that the program ends before its display.
  TemporaryFolder settings_;
  std::unique_ptr<XvfbDisplay> display_;
  std::unique_ptr<XTools> x_;
  std::unique_ptr<ChildProcess> program_;
  std::string mainWindow_;
};

}  // namespace tintoral::e2e
