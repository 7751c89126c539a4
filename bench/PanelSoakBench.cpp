// A long run of a live panel, compressed: a form of 100 instruments, each
// bound to an item of its own, loaded as panelview loads a panel on the
// simulation link library. A feeder thread writes each item's next value
// through links of its own, and the simulated server hands every value to
// the panel's items, as a server reports the values of a busy plant. The
// feeder keeps at most a window of values on their way (sent, not yet
// applied to an instrument), so it runs at the highest rate the panel takes
// and no queue can overflow while the panel keeps up.
//
// Every --report-every values (default a tenth of --values) it prints a row:
// the values applied, the rate, resident memory, threads, open file
// descriptors, the peak of the items' queues, the peak of the values on
// their way, and the values dropped. After the first row (the warm-up),
// memory may grow by at most 1 MB and the other counts must not rise (Qt's
// idle pool threads end after half a minute, so threads and descriptors may
// fall); the benchmark fails otherwise, and the program exits with 1.
//
//   build/bench/PanelSoakBench --values=100000000 --report-every=10000000
//
// Without --values it feeds 10^6 values, a short run for CI.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "instruments/base/InstrumentComponent.h"
#include "instruments/opc/OPCLibrary.h"
#include "platform/window/Form.h"
#include "platform/window/MainThreadQueue.h"
#include "tools/formshot/FormLoading.h"

namespace {

using namespace tintoral;
using Clock = std::chrono::steady_clock;

constexpr int kInstruments = 100;
constexpr std::uint64_t kWindow = 32 * kInstruments;  // values on their way at most
constexpr long kMemoryGrowthLimitKb = 1024;
constexpr const char* kServer = "Soak";

// Set when the soak fails, so that the program's exit status says so.
bool soakFailed = false;

void Fail(benchmark::State& state, const std::string& why) {
  soakFailed = true;
  std::fprintf(stderr, "PanelSoakBench: %s\n", why.c_str());
  state.SkipWithError(why.c_str());
}

struct ProcessCounts {
  long residentKb = 0;
  int threads = 0;
  int fileDescriptors = 0;
};

ProcessCounts ReadProcessCounts() {
  ProcessCounts counts;
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) counts.residentKb = std::atol(line.c_str() + 6);
    if (line.rfind("Threads:", 0) == 0) counts.threads = std::atoi(line.c_str() + 8);
  }
  if (DIR* folder = opendir("/proc/self/fd")) {
    while (const dirent* entry = readdir(folder))
      if (entry->d_name[0] != '.') ++counts.fileDescriptors;
    --counts.fileDescriptors;  // the folder being read
    closedir(folder);
  }
  return counts;
}

std::string ItemName(int index) { return "Point" + std::to_string(index); }

// Four kinds of instrument in turn, ten to a row.
std::string PanelForm() {
  static constexpr std::string_view kKinds[][2] = {{"TiSevenSegmentAnalog", "Value"},
                                                   {"TiSlider", "Position"},
                                                   {"TiLCDMatrix", "Text"},
                                                   {"TiSevenSegmentInteger", "Value"}};
  std::string form = "object Panel: TForm\n  Width = 1000\n  Height = 500\n";
  for (int i = 0; i < kInstruments; ++i) {
    const auto& kind = kKinds[i % 4];
    form += "  object I" + std::to_string(i) + ": " + std::string(kind[0]) + "\n" +
            "    Left = " + std::to_string(i % 10 * 100) + "\n    Top = " + std::to_string(i / 10 * 50) +
            "\n    Width = 96\n    Height = 46\n    OPCItems = <\n      item\n        PropertyName = '" +
            std::string(kind[1]) + "'\n        ServerName = '" + kServer + "'\n        ItemName = '" + ItemName(i) +
            "'\n      end>\n  end\n";
  }
  return form + "end\n";
}

// The panel, shown, counting the values its instruments apply.
class SoakPanel {
 public:
  SoakPanel() : form_(LoadForm(PanelForm())) {
    for (int i = 0; i < form_.Root().ComponentCount(); ++i)
      if (auto* instrument = dynamic_cast<TiVCLComponent*>(form_.Root().Components(i))) {
        instrument->SetOnNewOPCData([this](TObject*, int) { applied_.fetch_add(1, std::memory_order_relaxed); });
        instruments_.push_back(instrument);
      }
    if (auto* window = dynamic_cast<TForm*>(&form_.Root())) window->Show();
  }

  std::size_t Instruments() const { return instruments_.size(); }
  const std::atomic<std::uint64_t>& Applied() const { return applied_; }
  std::size_t QueueHighWater() const {
    std::size_t peak = 0;
    for (TiVCLComponent* instrument : instruments_)
      peak = std::max(peak, instrument->OPCItemManager().Items(0).QueueHighWater());
    return peak;
  }
  std::uint64_t Dropped() const {
    std::uint64_t dropped = 0;
    for (TiVCLComponent* instrument : instruments_) dropped += instrument->OPCItemManager().Items(0).DroppedValues();
    return dropped;
  }

 private:
  TLoadedForm form_;
  std::vector<TiVCLComponent*> instruments_;
  std::atomic<std::uint64_t> applied_{0};
};

// Writes `total` values, one to each item in turn, through links of its own.
class Feeder {
 public:
  Feeder(const std::atomic<std::uint64_t>& applied, std::uint64_t total) : applied_(applied), total_(total) {
    for (int i = 0; i < kInstruments; ++i)
      links_.push_back(OPCLibrary().SignalAdd("", kServer, ItemName(i), "", 0, 0, nullptr, nullptr));
    thread_ = std::thread([this] { Run(); });
  }
  ~Feeder() {
    stop_ = true;
    thread_.join();
    for (std::int32_t link : links_) OPCLibrary().SignalRemove(link);
  }
  std::uint64_t InFlightHighWater() const { return inFlightHighWater_.load(); }

 private:
  void Run() {
    std::uint64_t sent = 0;
    for (std::uint64_t round = 0; sent < total_ && !stop_; ++round) {
      WaitForRoom(sent);
      for (std::size_t i = 0; i < links_.size() && sent < total_; ++i, ++sent)
        OPCLibrary().SignalSendData(links_[i], TVariant(static_cast<double>((round + i) % 100)));
      const std::uint64_t inFlight = sent - applied_.load(std::memory_order_relaxed);
      if (inFlight > inFlightHighWater_.load()) inFlightHighWater_ = inFlight;
    }
  }
  void WaitForRoom(std::uint64_t sent) const {
    while (!stop_ && sent - applied_.load(std::memory_order_relaxed) + links_.size() > kWindow)
      std::this_thread::sleep_for(std::chrono::microseconds(200));
  }

  const std::atomic<std::uint64_t>& applied_;
  const std::uint64_t total_;
  std::vector<std::int32_t> links_;
  std::atomic<std::uint64_t> inFlightHighWater_{0};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

struct SoakRow {
  std::uint64_t values = 0;
  double seconds = 0;
  double valuesPerSecond = 0;
  ProcessCounts process;
  std::size_t queueHighWater = 0;
  std::uint64_t inFlightHighWater = 0;
  std::uint64_t dropped = 0;
};

void PrintHeader() {
  std::fprintf(stderr, "%12s %8s %10s %8s %8s %5s %11s %11s %8s\n", "values", "seconds", "values/s", "RSS MB",
               "threads", "fds", "queue peak", "on the way", "dropped");
}

void PrintRow(const SoakRow& row) {
  std::fprintf(stderr, "%12llu %8.1f %10.0f %8.2f %8d %5d %11zu %11llu %8llu\n",
               static_cast<unsigned long long>(row.values), row.seconds, row.valuesPerSecond,
               row.process.residentKb / 1024.0, row.process.threads, row.process.fileDescriptors, row.queueHighWater,
               static_cast<unsigned long long>(row.inFlightHighWater), static_cast<unsigned long long>(row.dropped));
}

// What moved after the warm-up row that should not have; "" when nothing.
std::string SoakFault(const SoakRow& warm, const SoakRow& row) {
  if (row.process.residentKb - warm.process.residentKb > kMemoryGrowthLimitKb)
    return "resident memory grew by " + std::to_string(row.process.residentKb - warm.process.residentKb) + " kB";
  if (row.process.threads > warm.process.threads) return "the thread count rose";
  if (row.process.fileDescriptors > warm.process.fileDescriptors) return "the open file descriptors rose";
  if (row.dropped != warm.dropped) return "values were dropped";
  if (row.inFlightHighWater > kWindow) return "more values on their way than the window";
  return "";
}

void BM_PanelSoak(benchmark::State& state, std::uint64_t total, std::uint64_t every) {
  for (auto _ : state) {
    SoakPanel panel;
    if (panel.Instruments() != kInstruments) {
      Fail(state, "the panel lacks instruments");
      return;
    }
    std::vector<SoakRow> rows;
    const Clock::time_point start = Clock::now();
    Feeder feeder(panel.Applied(), total);
    QEventLoop loop;
    QTimer check;
    Clock::time_point last = start;
    PrintHeader();
    QObject::connect(&check, &QTimer::timeout, [&] {
      const std::uint64_t applied = panel.Applied().load();
      const std::uint64_t due = (rows.size() + 1) * every;
      if (applied < std::min(due, total)) return;
      const Clock::time_point now = Clock::now();
      const std::uint64_t before = rows.empty() ? 0 : rows.back().values;
      rows.push_back({applied, std::chrono::duration<double>(now - start).count(),
                      static_cast<double>(applied - before) / std::chrono::duration<double>(now - last).count(),
                      ReadProcessCounts(), panel.QueueHighWater(), feeder.InFlightHighWater(), panel.Dropped()});
      last = now;
      PrintRow(rows.back());
      if (applied >= total) loop.quit();
    });
    check.start(5);
    loop.exec();
    for (const SoakRow& row : rows)
      if (const std::string fault = SoakFault(rows.front(), row); !fault.empty()) {
        Fail(state, fault);
        return;
      }
    const SoakRow& warm = rows.front();
    const SoakRow& end = rows.back();
    state.counters["values_per_s"] = static_cast<double>(end.values) / end.seconds;
    state.counters["rss_growth_kb"] = static_cast<double>(end.process.residentKb - warm.process.residentKb);
    state.counters["threads"] = end.process.threads;
    state.counters["fds"] = end.process.fileDescriptors;
    state.counters["queue_peak"] = static_cast<double>(end.queueHighWater);
    state.counters["dropped"] = static_cast<double>(end.dropped);
  }
}

// Takes --NAME=N off the command line; `fallback` when it is not there.
std::uint64_t TakeCount(int& argc, char** argv, std::string_view name, std::uint64_t fallback) {
  const std::string prefix = "--" + std::string(name) + "=";
  for (int i = 1; i < argc; ++i)
    if (std::string_view(argv[i]).rfind(prefix, 0) == 0) {
      fallback = std::strtoull(argv[i] + prefix.size(), nullptr, 10);
      std::copy(argv + i + 1, argv + argc, argv + i);
      --argc;
      break;
    }
  return fallback;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  unsetenv("TINTORAL_SIM_FILE");  // no generators: every value comes from the feeder
  const std::uint64_t total = std::max<std::uint64_t>(TakeCount(argc, argv, "values", 1000000), kInstruments);
  const std::uint64_t every = std::max<std::uint64_t>(TakeCount(argc, argv, "report-every", total / 10), 1);
  QApplication app(argc, argv);
  MainThreadQueueStart();
  RegisterFormClasses();
  UseOPCLibraryFile(TINTORAL_SIM_LINK_FILE);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RegisterBenchmark("BM_PanelSoak", BM_PanelSoak, total, every)
      ->Iterations(1)
      ->Unit(benchmark::kSecond)
      ->UseRealTime();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return soakFailed ? 1 : 0;
}
