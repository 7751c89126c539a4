// The real program through a whole session, as its user has it: started, a
// slider dragged, keys on another, the About box opened and closed, and the
// main window closed with its close box. The program must then end by
// itself with status 0 and nothing on its standard error: no report of a
// sanitizer and no warning of Qt's, not even in a session without a runtime
// folder (XDG_RUNTIME_DIR unset).
// In the sanitizer build (AddressSanitizer with leak detection) that is the
// check for memory errors and leaks over the whole session; the leaks of
// Qt's and the system libraries' own allocations are suppressed by
// qt-leaks.supp beside this file (ProgramSession passes it), each entry
// explained there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "tests/e2e/support/MainWindowLayout.h"
#include "tests/e2e/support/ProgramSession.h"

namespace tintoral::e2e {
namespace {

constexpr int kQuestionButtonX = 632 + 11, kQuestionButtonY = 16 + 11;

TPoint Centre(const TRect& r) { return {r.Left + r.Width() / 2, r.Top + r.Height() / 2}; }

// A file for the program's standard error, removed with the object.
class ErrorLog {
 public:
  ErrorLog() : fd_(mkstemp(path_)) {}
  ~ErrorLog() {
    close(fd_);
    unlink(path_);
  }
  int Fd() const { return fd_; }
  std::string Text() const {
    std::ifstream in(path_);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  char path_[32] = "/tmp/tintoral-stderr-XXXXXX";
  int fd_;
};

TEST(WholeSessionTest, AfterDragKeysAndAboutBoxClosingTheWindowEndsTheProgramCleanly) {
  if (!XvfbDisplay::Available()) GTEST_SKIP() << "Xvfb is not installed: end-to-end tests skipped";
  ErrorLog errors;
  ASSERT_GE(errors.Fd(), 0);
  ProgramSession session({"XDG_RUNTIME_DIR="}, errors.Fd());
  const XTools& x = session.X();
  const std::string& window = session.MainWindow();

  const TRect red = ControlRectInMainWindow("CursorRojo");
  x.Drag(window, Centre(red).X, red.Bottom - 10, Centre(red).X, red.Top);
  const TPoint green = Centre(ControlRectInMainWindow("CursorVerde"));
  x.Click(window, green.X, green.Y);
  for (const char* key : {"Up", "Prior", "End", "Home"}) x.PressKey(window, key);
  x.Click(window, kQuestionButtonX, kQuestionButtonY);
  const std::optional<std::string> about = x.WaitForWindow("^Acerca de");
  ASSERT_TRUE(about) << "the About box did not open";
  x.PressKey(*about, "Return");
  ASSERT_TRUE(x.WaitForWindowGone("^Acerca de")) << "the About box did not close";

  const std::optional<int> status = session.CloseMainWindow();
  ASSERT_TRUE(status) << "the program still runs after its window was closed";
  EXPECT_EQ(*status, 0) << errors.Text();
  EXPECT_EQ(errors.Text(), "");
}

}  // namespace
}  // namespace tintoral::e2e
