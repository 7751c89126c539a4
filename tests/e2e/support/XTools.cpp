#include "tests/e2e/support/XTools.h"

#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "tests/e2e/support/TemporaryPng.h"

namespace tintoral::e2e {
namespace {

using Clock = std::chrono::steady_clock;

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

int ShellValue(const std::string& shellOutput, const std::string& name) {
  std::istringstream lines(shellOutput);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind(name + "=", 0) == 0) return std::stoi(line.substr(name.size() + 1));
  throw std::runtime_error("xdotool printed no " + name);
}

// Pointer moves go without --sync: xdotool's --sync waits for the pointer to
// leave where it is, up to its own time limit of seconds, when it is there
// already. The server applies one client's events in order, so a press or
// a wheel notch that follows a move in the same command lands at its end.
std::vector<std::string> PointerTo(const std::string& window, int x, int y) {
  return {"mousemove", "--window", window, std::to_string(x), std::to_string(y)};
}

}  // namespace

XTools::XTools(Environment display, std::string screengrab)
    : display_(std::move(display)), screengrab_(std::move(screengrab)) {}

CommandResult XTools::XDoTool(const std::vector<std::string>& args) const {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunCommand(argv, display_);
}

std::optional<std::string> XTools::WaitForWindow(const std::string& titlePattern,
                                                 std::chrono::milliseconds timeout) const {
  return SearchWindow(titlePattern, timeout).window;
}

WindowSearch XTools::SearchWindow(const std::string& titlePattern, std::chrono::milliseconds timeout) const {
  const auto deadline = Clock::now() + timeout;
  WindowSearch search;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return search;
    // --sync waits for a match, so an end before the deadline is a failure.
    const CommandResult found =
        RunCommand({"xdotool", "search", "--sync", "--onlyvisible", "--name", titlePattern}, display_, left);
    if (found.status == 0 && !found.output.empty()) {
      search.window = FirstLine(found.output);
      return search;
    }
    if (search.errors.size() < 2000) search.errors += found.error.empty() ? "(no error output)\n" : found.error;
    if (found.status == -1) return search;  // timed out
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

bool XTools::WindowVisible(const std::string& titlePattern) const {
  const CommandResult found = XDoTool({"search", "--onlyvisible", "--name", titlePattern});
  return found.status == 0 && !found.output.empty();
}

bool XTools::WaitForWindowGone(const std::string& titlePattern, std::chrono::milliseconds timeout) const {
  const auto deadline = Clock::now() + timeout;
  while (WindowVisible(titlePattern)) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

WindowGeometry XTools::Geometry(const std::string& window) const {
  const CommandResult shell = XDoTool({"getwindowgeometry", "--shell", window});
  if (shell.status != 0)
    throw std::runtime_error("xdotool getwindowgeometry failed for " + window + ": " + shell.error);
  return {ShellValue(shell.output, "X"), ShellValue(shell.output, "Y"), ShellValue(shell.output, "WIDTH"),
          ShellValue(shell.output, "HEIGHT")};
}

void XTools::Click(const std::string& window, int x, int y) const {
  std::vector<std::string> args = PointerTo(window, x, y);
  args.push_back("click");
  args.push_back("1");
  if (XDoTool(args).status != 0) throw std::runtime_error("xdotool could not click into " + window);
}

void XTools::Drag(const std::string& window, int x, int y, int toX, int toY) const {
  std::vector<std::string> args = PointerTo(window, x, y);
  args.push_back("mousedown");
  args.push_back("1");
  for (const std::string& arg : PointerTo(window, toX, toY)) args.push_back(arg);
  args.push_back("mouseup");
  args.push_back("1");
  if (XDoTool(args).status != 0) throw std::runtime_error("xdotool could not drag in " + window);
}

void XTools::TurnWheel(const std::string& window, int x, int y, bool awayFromUser) const {
  std::vector<std::string> args = PointerTo(window, x, y);
  args.push_back("click");
  args.push_back(awayFromUser ? "4" : "5");
  if (XDoTool(args).status != 0) throw std::runtime_error("xdotool could not turn the wheel in " + window);
}

void XTools::MovePointer(int x, int y) const {
  if (XDoTool({"mousemove", std::to_string(x), std::to_string(y)}).status != 0)
    throw std::runtime_error("xdotool could not move the pointer");
}

void XTools::PressKey(const std::string& window, const std::string& key) const {
  if (XDoTool({"windowfocus", "--sync", window, "key", key}).status != 0)
    throw std::runtime_error("xdotool could not press " + key + " in " + window);
}

std::string XTools::WindowProperty(const std::string& window, const std::string& property) const {
  // -len: the whole value; xprop cuts long ones (icons) otherwise.
  const CommandResult result = RunCommand({"xprop", "-len", "100000000", "-id", window, property}, display_);
  return result.status == 0 ? result.output : "";
}

void XTools::Screenshot(const std::string& window, TBitmap& into) const {
  TemporaryPng png;
  std::vector<std::string> argv{screengrab_, png.Path()};
  if (window != "root") argv.push_back(window);
  if (RunCommand(argv, display_).status != 0) throw std::runtime_error("screengrab failed for window " + window);
  png.Decode(into);
}

bool XTools::WaitForPaintedWindow(const std::string& window, TBitmap& into, std::chrono::milliseconds timeout) const {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    Screenshot(window, into);
    if (!Uniform(into)) return true;
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

bool Uniform(const TBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (bitmap.Pixel(x, y) != bitmap.Pixel(0, 0)) return false;
  return true;
}

}  // namespace tintoral::e2e
