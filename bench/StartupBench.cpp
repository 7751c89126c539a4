// The real program under Xvfb: from starting build/app/tintoral (or the
// program named by TINTORAL_STARTUP_PROGRAM, e.g. an installed one) to the
// first time its main window shows painted on the screen (*ToFirstPaint*,
// manual time), and its resident memory once the window is up
// (*ResidentMemory*, counter rss_mb, the largest of the runs).
//
// "Painted" is read off the screen with Xlib every millisecond: the main
// window's area (Xvfb has no window manager, so the window sits at the
// layout's 234, 109) shows the diagram's green axis and the red slider's
// track, which no blank or half-built window has.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "tests/e2e/support/Process.h"
#include "tests/e2e/support/XvfbDisplay.h"

namespace {

using namespace tintoral::e2e;
using Clock = std::chrono::steady_clock;

constexpr int kWindowLeft = 234;
constexpr int kWindowTop = 109;

struct Probe {
  int x, y;           // in the main window's client area
  unsigned long rgb;  // 0xRRGGBB
};
// A pixel of the diagram's vertical axis and one of the red track.
constexpr Probe kProbes[] = {{485, 400, 0x008000}, {45, 250, 0xFF0000}};

class ScreenWatch {
 public:
  explicit ScreenWatch(const std::string& display) : display_(XOpenDisplay(display.c_str())) {}
  ~ScreenWatch() {
    if (display_) XCloseDisplay(display_);
  }
  bool Open() const { return display_ != nullptr; }

  bool MainWindowPainted() {
    for (const Probe& probe : kProbes)
      if (PixelAt(kWindowLeft + probe.x, kWindowTop + probe.y) != probe.rgb) return false;
    return true;
  }

 private:
  unsigned long PixelAt(int x, int y) {
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return ~0ul;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
  }

  Display* display_;
};

// Started on first use; its destructor stops the server when the program
// ends, also after a benchmark that failed or was skipped.
XvfbDisplay& Screen() {
  static XvfbDisplay display;
  return display;
}

long ResidentKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

std::string ProgramUnderTest() {
  const char* chosen = std::getenv("TINTORAL_STARTUP_PROGRAM");
  return chosen != nullptr && *chosen != '\0' ? chosen : TINTORAL_PROGRAM;
}

// Starts the program and waits for its painted window; the time taken, or
// a negative duration when it never came within 10 s.
Clock::duration StartUntilPainted(ScreenWatch& screen, std::unique_ptr<ChildProcess>& program) {
  const Clock::time_point start = Clock::now();
  program = std::make_unique<ChildProcess>(std::vector<std::string>{ProgramUnderTest()}, Screen().ClientEnvironment());
  while (!screen.MainWindowPainted()) {
    if (Clock::now() - start > std::chrono::seconds(10)) return Clock::duration(-1);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return Clock::now() - start;
}

void BM_Startup_ToFirstPaint(benchmark::State& state) {
  if (!XvfbDisplay::Available()) {
    state.SkipWithError("Xvfb is not installed");
    return;
  }
  ScreenWatch screen(Screen().Name());
  if (!screen.Open()) {
    state.SkipWithError("cannot open the display");
    return;
  }
  double largestRss = 0;
  for (auto _ : state) {
    std::unique_ptr<ChildProcess> program;
    const Clock::duration taken = StartUntilPainted(screen, program);
    if (taken.count() < 0) {
      state.SkipWithError("the main window was not painted within 10 s");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(taken).count());
    largestRss = std::max(largestRss, ResidentKilobytes(program->Pid()) / 1024.0);
    program->Stop();
    // The next run starts on a cleared screen.
    while (screen.MainWindowPainted()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  state.counters["rss_mb"] = largestRss;
}
BENCHMARK(BM_Startup_ToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
