// panelview and the program started a hundred times back to back on a plain
// Xvfb, one that starts afresh whenever its last client leaves (no
// -noreset): every start must reach its window, none may abort. Right after
// such a reset a client may fail to open the display at all; the window
// search tries again, and a failure message carries the tools' own words.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "tests/e2e/support/Process.h"
#include "tests/e2e/support/ProgramSession.h"
#include "tests/e2e/support/XTools.h"
#include "tests/e2e/support/XvfbDisplay.h"
#include "tests/support/TestTempPath.h"

namespace tintoral::e2e {
namespace {

constexpr int kStarts = 100;
// Long for a loaded machine and a sanitizer build: a start that works ends
// its wait at once.
constexpr std::chrono::seconds kStartLimit(60);

bool FileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// An Xvfb with its default reset behaviour, on the first free display
// number from 400 on.
class ResettingDisplay {
 public:
  ResettingDisplay() {
    for (int number = 400 + getpid() % 200; number < 1000; ++number) {
      const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
      if (FileExists(socket) || FileExists("/tmp/.X" + std::to_string(number) + "-lock")) continue;
      name_ = ":" + std::to_string(number);
      server_ = std::make_unique<ChildProcess>(
          std::vector<std::string>{"Xvfb", name_, "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, Environment{});
      for (int wait = 0; wait < 200 && !FileExists(socket); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      if (!FileExists(socket)) throw std::runtime_error("Xvfb did not start on " + name_);
      return;
    }
    throw std::runtime_error("no free display number");
  }
  Environment ClientEnvironment() const { return {"DISPLAY=" + name_, "QT_QPA_PLATFORM=xcb"}; }

 private:
  std::string name_;
  std::unique_ptr<ChildProcess> server_;
};

// panelview is built beside formshot, in its own tool folder.
std::string PanelViewProgram() {
  std::string path = FORMSHOT_PROGRAM;
  const std::string formshot = "formshot/formshot";
  path.replace(path.rfind(formshot), formshot.size(), "panelview/panelview");
  return path;
}

class BackToBackStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbDisplay::Available()) GTEST_SKIP() << "Xvfb is not installed: end-to-end tests skipped";
    display_ = std::make_unique<ResettingDisplay>();
  }
  std::unique_ptr<ResettingDisplay> display_;
};

TEST_F(BackToBackStartTest, PanelViewStartsAHundredTimesWithoutAbort) {
  const std::string program = PanelViewProgram();
  if (!FileExists(program)) GTEST_SKIP() << "panelview is not built";
  const std::string shot = tintoral::test::TestTempPath("back-to-back.png");
  // panelview ends by itself, so the sanitizer build checks it for leaks.
  Environment environment = display_->ClientEnvironment();
  environment.insert(environment.end(), kLeakOptions.begin(), kLeakOptions.end());
  int failed = 0;
  for (int start = 0; start < kStarts; ++start) {
    const CommandResult result = RunCommand({program, "--shot", shot, "0", MAIN_FORM_LAYOUT}, environment, kStartLimit);
    if (result.status != 0)
      ADD_FAILURE() << "start " << start << " ended with " << result.status << " (-1: a signal or no end within "
                    << kStartLimit.count() << " s); its error output:\n"
                    << result.error;
    failed += result.status != 0;
    if (failed > 3) break;
  }
  unlink(shot.c_str());
}

TEST_F(BackToBackStartTest, TheProgramStartsAHundredTimesWithoutAbort) {
  const XTools x(display_->ClientEnvironment(), SCREENGRAB_PROGRAM);
  int failed = 0;
  for (int start = 0; start < kStarts && failed <= 3; ++start) {
    ChildProcess program({TINTORAL_PROGRAM}, display_->ClientEnvironment());
    const WindowSearch search = x.SearchWindow("^Tintoral$", kStartLimit);
    if (search.window && program.Running()) continue;  // its destructor stops it
    const std::optional<int> status = program.WaitForExit(std::chrono::seconds(5));
    ADD_FAILURE() << "start " << start << ": no window; exit status " << (status ? *status : 999)
                  << " (-1: a signal, 999: still running); the window search said:\n"
                  << search.errors;
    ++failed;
  }
}

}  // namespace
}  // namespace tintoral::e2e
