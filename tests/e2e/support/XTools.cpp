#include "tests/e2e/support/XTools.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PngDecoder.h"

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

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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
  const CommandResult found =
      RunCommand({"xdotool", "search", "--sync", "--onlyvisible", "--name", titlePattern}, display_, timeout);
  if (found.status != 0 || found.output.empty()) return std::nullopt;
  return FirstLine(found.output);
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
  if (shell.status != 0) throw std::runtime_error("xdotool getwindowgeometry failed for " + window);
  return {ShellValue(shell.output, "X"), ShellValue(shell.output, "Y"), ShellValue(shell.output, "WIDTH"),
          ShellValue(shell.output, "HEIGHT")};
}

void XTools::Click(const std::string& window, int x, int y) const {
  const CommandResult done =
      XDoTool({"mousemove", "--sync", "--window", window, std::to_string(x), std::to_string(y), "click", "1"});
  if (done.status != 0) throw std::runtime_error("xdotool could not click into " + window);
}

void XTools::MovePointer(int x, int y) const {
  if (XDoTool({"mousemove", "--sync", std::to_string(x), std::to_string(y)}).status != 0)
    throw std::runtime_error("xdotool could not move the pointer");
}

void XTools::PressKey(const std::string& window, const std::string& key) const {
  if (XDoTool({"windowfocus", "--sync", window, "key", key}).status != 0)
    throw std::runtime_error("xdotool could not press " + key + " in " + window);
}

void XTools::Screenshot(const std::string& window, TBitmap& into) const {
  char path[] = "/tmp/e2e-shot-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) throw std::runtime_error("Cannot create a temporary file");
  close(fd);
  std::vector<std::string> argv{screengrab_, path};
  if (window != "root") argv.push_back(window);
  const CommandResult grabbed = RunCommand(argv, display_);
  const std::vector<std::uint8_t> png = grabbed.status == 0 ? ReadFile(path) : std::vector<std::uint8_t>{};
  unlink(path);
  if (grabbed.status != 0) throw std::runtime_error("screengrab failed for window " + window);
  DecodePng(png.data(), png.size(), into);
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
