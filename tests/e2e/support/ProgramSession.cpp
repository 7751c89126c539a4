#include "tests/e2e/support/ProgramSession.h"

#include <unistd.h>

#include <optional>
#include <stdexcept>

#include "platform/graphics/Bitmap.h"
#include "tests/e2e/support/WindowClose.h"

namespace tintoral::e2e {
namespace {

constexpr char kMainTitle[] = "^Tintoral$";

Environment Joined(Environment first, const Environment& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// The given entries; with an XDG_CONFIG_HOME of `folder` before them, when
// they name none.
Environment WithSettingsFolder(const Environment& environment, const std::string& folder) {
  for (const std::string& entry : environment)
    if (entry.rfind("XDG_CONFIG_HOME=", 0) == 0) return environment;
  return Joined({"XDG_CONFIG_HOME=" + folder}, environment);
}

}  // namespace

ProgramSession::ProgramSession(const Environment& programEnvironment, int errorFd, int screenWidth, int screenHeight)
    : display_(std::make_unique<XvfbDisplay>(screenWidth, screenHeight)),
      x_(std::make_unique<XTools>(display_->ClientEnvironment(), SCREENGRAB_PROGRAM)),
      program_(std::make_unique<ChildProcess>(std::vector<std::string>{TINTORAL_PROGRAM},
                                              Joined(Joined(display_->ClientEnvironment(), kLeakOptions),
                                                     WithSettingsFolder(programEnvironment, settings_.Path())),
                                              errorFd, STDERR_FILENO)) {
  const WindowSearch main = x_->SearchWindow(kMainTitle, std::chrono::seconds(60));
  if (!main.window) throw std::runtime_error("the main window did not appear: " + main.errors);
  mainWindow_ = *main.window;
  TBitmap painted;
  if (!x_->WaitForPaintedWindow(mainWindow_, painted)) throw std::runtime_error("the main window was never painted");
}

std::optional<int> ProgramSession::CloseMainWindow(std::chrono::milliseconds timeout) {
  AskWindowToClose(display_->ClientEnvironment(), mainWindow_);
  return program_->WaitForExit(timeout);
}

void ProgramSession::ShootMainWindow(TBitmap& into) const {
  x_->MovePointer(0, 0);
  x_->Screenshot(mainWindow_, into);
}

std::string ProgramSession::WaitForMainWindow(const std::function<std::string(const TBitmap&)>& difference,
                                              std::chrono::milliseconds timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  x_->MovePointer(0, 0);
  for (;;) {
    TBitmap shot;
    x_->Screenshot(mainWindow_, shot);
    const std::string found = difference(shot);
    if (found.empty() || std::chrono::steady_clock::now() > deadline) return found;
  }
}

}  // namespace tintoral::e2e
