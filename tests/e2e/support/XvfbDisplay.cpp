#include "tests/e2e/support/XvfbDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <stdexcept>

namespace tintoral::e2e {
namespace {

// The descriptor number through which Xvfb reports the display it chose.
constexpr int kDisplayFd = 3;
constexpr int kStartTimeoutMs = 20000;

// Reads the display number that Xvfb writes (followed by a newline) once it
// accepts connections; empty when it does not within the time limit.
std::string ReadDisplayNumber(int fd) {
  std::string number;
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, kStartTimeoutMs) <= 0) return "";
    char c = 0;
    if (read(fd, &c, 1) != 1) return "";
    if (c == '\n') return number;
    number += c;
  }
}

}  // namespace

bool XvfbDisplay::Available() { return ProgramExists("Xvfb"); }

XvfbDisplay::XvfbDisplay(int width, int height) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("Cannot create a pipe");
  const std::string geometry = std::to_string(width) + "x" + std::to_string(height) + "x24";
  // -noreset: otherwise the server starts afresh (pointer position included)
  // whenever its last client leaves, for instance between two xdotool calls.
  try {
    server_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(kDisplayFd), "-screen", "0", geometry,
                                 "-nolisten", "tcp", "-noreset"},
        Environment{}, fds[1], kDisplayFd);
  } catch (...) {
    close(fds[0]);
    close(fds[1]);
    throw;
  }
  close(fds[1]);
  const std::string number = ReadDisplayNumber(fds[0]);
  close(fds[0]);
  if (number.empty()) throw std::runtime_error("Xvfb did not start");
  name_ = ":" + number;
}

Environment XvfbDisplay::ClientEnvironment() const { return {"DISPLAY=" + name_, "QT_QPA_PLATFORM=xcb"}; }

}  // namespace tintoral::e2e
