#pragma once
// What the link-library benchmarks share: one peer for every benchmark of a
// program, the CPU time of this process's threads by name, the event loop
// run as panelview runs it, and the median of latencies.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace tintoral::bench {

// The peer all benchmarks of a program share, started at the first use;
// nullptr with the reason in `problem` when it cannot run (`skipReason()`
// says why it cannot, "" when it can).
template <typename Peer, typename SkipReason>
Peer* SharedPeer(SkipReason skipReason, const char* what, std::string& problem) {
  static std::unique_ptr<Peer> peer;
  static std::string failure;
  if (!peer && failure.empty()) {
    failure = skipReason();
    if (failure.empty()) {
      peer = std::make_unique<Peer>();
      if (!peer->Start()) failure = std::string(what) + " did not start";
    }
  }
  problem = failure;
  return failure.empty() ? peer.get() : nullptr;
}

// CPU seconds of this process's threads: those named `link`, and the rest
// but those named `excluded`.
struct ThreadTimes {
  double link = 0, rest = 0;
};

// The CPU seconds (user and system) in a /proc stat file, 0 when unreadable.
inline double StatCpuSeconds(const std::string& statPath, std::string* name = nullptr) {
  std::ifstream stat(statPath);
  const std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const std::size_t open = text.find('('), close = text.rfind(')');
  if (open == std::string::npos || close == std::string::npos) return 0;
  if (name) *name = text.substr(open + 1, close - open - 1);
  const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  double seconds = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i)
    if (i == 14 || i == 15) seconds += std::stod(field) / tick;
  return seconds;
}

inline double ProcessCpuSeconds(pid_t pid) { return StatCpuSeconds("/proc/" + std::to_string(pid) + "/stat"); }

inline ThreadTimes ThreadCpuSeconds(const std::string& link, const std::string& excluded = "") {
  ThreadTimes times;
  DIR* tasks = opendir("/proc/self/task");
  while (dirent* entry = tasks ? readdir(tasks) : nullptr) {
    if (entry->d_name[0] == '.') continue;
    std::string name;
    const double seconds = StatCpuSeconds(std::string("/proc/self/task/") + entry->d_name + "/stat", &name);
    if (name == link) times.link += seconds;
    else if (excluded.empty() || name != excluded) times.rest += seconds;
  }
  if (tasks) closedir(tasks);
  return times;
}

// Runs the event loop as the program does, sleeping until events come.
inline void RunEventsFor(std::chrono::milliseconds time) {
  QTimer deadline;
  deadline.setSingleShot(true);
  deadline.start(static_cast<int>(time.count()));
  while (deadline.isActive()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// The share of one core (per cent) the link's threads and the rest used
// while the event loop ran for `time`.
struct CpuShares {
  double linkPercent = 0, restPercent = 0;
};

inline CpuShares RunEventsMeasuringCpu(std::chrono::milliseconds time, const std::string& link,
                                       const std::string& excluded = "") {
  const ThreadTimes before = ThreadCpuSeconds(link, excluded);
  const auto start = std::chrono::steady_clock::now();
  RunEventsFor(time);
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const ThreadTimes after = ThreadCpuSeconds(link, excluded);
  return {100 * (after.link - before.link) / elapsed, 100 * (after.rest - before.rest) / elapsed};
}

inline double MedianMilliseconds(std::vector<double> seconds) {
  if (seconds.empty()) return 0;
  std::nth_element(seconds.begin(), seconds.begin() + static_cast<long>(seconds.size() / 2), seconds.end());
  return seconds[seconds.size() / 2] * 1000;
}

// The iterations of a change-to-repaint benchmark: each changes the peer's
// value to the next whole number after `first` (`change(value)`), waits
// until `shown(value)` (false after 10 s), takes the time from the change
// to `lastPaint()` as the iteration's time and then runs `pause(value)`.
// The median goes to the counter median_ms. A change not shown ends the
// benchmark with an error, also printed: the benchmark library stops on its
// own consistency check when a repetition ends early, before it reports it.
template <typename Change, typename Shown, typename LastPaint, typename Pause>
void TimeChangesToRepaint(benchmark::State& state, int first, Change change, Shown shown, LastPaint lastPaint,
                          Pause pause) {
  int value = first;
  std::vector<double> latencies;
  for (auto _ : state) {
    ++value;
    const auto sent = std::chrono::steady_clock::now();
    change(value);
    if (!shown(value)) {
      std::fprintf(stderr, "a change was not shown within 10 s\n");
      state.SkipWithError("a change was not shown within 10 s");
      break;
    }
    latencies.push_back(std::chrono::duration<double>(lastPaint() - sent).count());
    state.SetIterationTime(latencies.back());
    pause(value);
  }
  state.counters["median_ms"] = MedianMilliseconds(latencies);
}

}  // namespace tintoral::bench
