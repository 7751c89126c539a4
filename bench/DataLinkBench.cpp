// The data link from the link library's thread to the screen, through the
// test link library (a simulated server in the process):
//  - ServeToRepaint: the time from a value entering the data callback on the
//    library's thread to the bound seven-segment readout having repainted
//    it on the GUI thread (manual time per value; read the median).
//  - SustainedFeed/<rate>: the feeder thread sends <rate> values a second
//    (0: as fast as it can) for half a second while the GUI thread runs its
//    event loop; counters give the rate reached, the repaints a second and
//    how long after the feed stops the readout shows its last value
//    (catch_up_ms). A feed is sustained while the last value shows within a
//    frame.
//  - LoadLibrary: loading the link library, present and missing.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <algorithm>
#include <chrono>

#include "bench/support/ShownReadout.h"
#include "instruments/opc/OPCLibrary.h"
#include "linklib/testlink/TestLinkClient.h"
#include "platform/window/MainThreadQueue.h"

namespace {

using namespace tintoral;
using Clock = bench::ShownReadout::Clock;

std::int64_t Nanoseconds(Clock::time_point t) {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

// A shown form with one analog readout whose Value is bound to an item.
class BoundReadout {
 public:
  BoundReadout() : library_(TINTORAL_TESTLINK_FILE), link_(TINTORAL_TESTLINK_FILE) {
    link_.Reset();
    TiOPCItem& item = shown_.AddValueItem();
    item.SetServerName("Plant.Server");
    item.SetItemName("Line.Speed");
    item.ConnectItem();
    handle_ = item.Handle();
    shown_.Show();
    ProcessFor(std::chrono::milliseconds(50));
  }
  ~BoundReadout() {
    link_.StopFeed();
    shown_.ClearItems();
    link_.Reset();
  }

  const test::TestLinkClient& Link() const { return link_; }
  std::int32_t Handle() const { return handle_; }
  Clock::time_point LastPaint() const { return shown_.LastPaint(); }
  long Paints() const { return shown_.Paints(); }

  // Events until the readout shows the value; false after a second.
  bool WaitUntilShown(double value) {
    const Clock::time_point end = Clock::now() + std::chrono::seconds(1);
    while (shown_.ShownValue() != value) {
      if (Clock::now() > end) return false;
      QCoreApplication::processEvents();
    }
    return true;
  }
  static void ProcessFor(Clock::duration duration) {
    const Clock::time_point end = Clock::now() + duration;
    while (Clock::now() < end) QCoreApplication::processEvents();
  }

 private:
  TiOPCLibrary library_;
  test::TestLinkClient link_;
  bench::ShownReadout shown_{library_};
  std::int32_t handle_ = 0;
};

void BM_DataLink_ServeToRepaint(benchmark::State& state) {
  BoundReadout bound;
  double value = 0;
  for (auto _ : state) {
    value += 1;
    const std::int64_t entered = bound.Link().Serve(bound.Handle(), value, 0xC0);
    if (entered == 0 || !bound.WaitUntilShown(value)) {
      state.SkipWithError("the value was not shown");
      break;
    }
    state.SetIterationTime(static_cast<double>(Nanoseconds(bound.LastPaint()) - entered) * 1e-9);
  }
}
BENCHMARK(BM_DataLink_ServeToRepaint)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_DataLink_SustainedFeed(benchmark::State& state) {
  const auto rate = static_cast<std::int32_t>(state.range(0));
  double reached = 0;
  double paintsPerSecond = 0;
  double catchUpMs = 0;
  for (auto _ : state) {
    BoundReadout bound;
    const long paintsBefore = bound.Paints();
    const Clock::time_point start = Clock::now();
    bound.Link().StartFeed({bound.Handle()}, rate);
    BoundReadout::ProcessFor(std::chrono::milliseconds(500));
    const std::int64_t fed = bound.Link().StopFeed();
    const Clock::time_point stopped = Clock::now();
    const double seconds = std::chrono::duration<double>(stopped - start).count();
    if (!bound.WaitUntilShown(bound.Link().LastFed(bound.Handle()))) {
      state.SkipWithError("the last value was not shown");
      break;
    }
    reached = static_cast<double>(fed) / seconds;
    paintsPerSecond = static_cast<double>(bound.Paints() - paintsBefore) / seconds;
    catchUpMs = std::max(0.0, std::chrono::duration<double, std::milli>(bound.LastPaint() - stopped).count());
  }
  state.counters["values_per_s"] = reached;
  state.counters["paints_per_s"] = paintsPerSecond;
  state.counters["catch_up_ms"] = catchUpMs;
}
BENCHMARK(BM_DataLink_SustainedFeed)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_DataLink_LoadLibrary_Present(benchmark::State& state) {
  for (auto _ : state) {
    TiOPCLibrary library(TINTORAL_TESTLINK_FILE);
    benchmark::DoNotOptimize(library.Available());
  }
}
BENCHMARK(BM_DataLink_LoadLibrary_Present)->Unit(benchmark::kMicrosecond);

// The program's search when there is no link library: beside the program,
// then the loader's path.
void BM_DataLink_LoadLibrary_Missing(benchmark::State& state) {
  for (auto _ : state) {
    TiOPCLibrary library;
    benchmark::DoNotOptimize(library.Available());
  }
}
BENCHMARK(BM_DataLink_LoadLibrary_Missing)->Unit(benchmark::kMicrosecond);

}  // namespace
