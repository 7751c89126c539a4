// The OPC UA link library against a real node-opcua server (the linklib
// tests' server on 127.0.0.1, on a free port), into a seven-segment readout
// on a shown form:
//  - ChangeToRepaint/<UpdateRate>: the time from the command that changes
//    the variable on the server to the readout having repainted the new
//    value (manual time per change, so the time is the mean of a
//    repetition; median_ms is the median change of a repetition). Changes
//    are spaced off the publishing beat. helper_MiB: the helper's resident
//    memory.
//  - HelperStartup/<new certificate>: from connecting the first item
//    (SignalAdd, no helper running) to the readout having repainted the
//    first value: Node.js start, node-opcua load, connection, session,
//    subscription; with 1, in a new client certificate folder each time
//    (TINTORAL_OPCUA_PKI), so that the helper first creates its
//    certificate. helper_MiB: the helper's resident memory at that moment.
//  - ThousandItems: 1,000 readouts, each bound to its own counter on the
//    server (all counting up 10 times a second), UpdateRate 100, and beside
//    them a bare node-opcua client subscribing the same counters the same
//    way (bench/opcua-floor-client.mjs), for 5 s: panel_cpu_pct the share of
//    one core this process used, helper_cpu_pct that of the OPC UA helper,
//    floor_cpu_pct that of the bare client (floor_values_per_s the values it
//    received a second), helper_per_floor their ratio
//    (the goal is at most 1.5); panel_counts_per_s the counts the readouts
//    moved on by a second, to set against floor_values_per_s.
// Without node or node-opcua the benchmarks skip and say why.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/support/LinkBenchSupport.h"
#include "bench/support/ReadoutGrid.h"
#include "bench/support/ShownReadout.h"
#include "instruments/opc/OPCLibrary.h"
#include "tests/linklib/ChildProcesses.h"
#include "tests/linklib/OpcUaTestServer.h"

namespace {

using namespace tintoral;
using Clock = bench::ShownReadout::Clock;

test::OpcUaTestServer* SharedServer(std::string& problem) {
  return bench::SharedPeer<test::OpcUaTestServer>(test::OpcUaSkipReason, "the OPC UA test server", problem);
}

double HelperMiB() {
  const std::vector<pid_t> helpers = test::HelperPids();
  return helpers.empty() ? 0.0 : static_cast<double>(test::ResidentKiB(helpers[0])) / 1024.0;
}

// A shown form with one analog readout, its Value bound to the server's
// Double variable through the OPC UA link library.
class BoundReadout {
 public:
  BoundReadout() : library_(TINTORAL_OPCUA_LINK_FILE) { shown_.Show(); }

  // Opens the item; the moment SignalAdd was called.
  Clock::time_point Connect(const test::OpcUaTestServer& server, int updateRate) {
    TiOPCItem& item = shown_.AddValueItem();
    item.SetServerName(server.Endpoint());
    item.SetItemName("ns=1;s=Double");
    item.SetUpdateRate(updateRate);
    const Clock::time_point added = Clock::now();
    item.ConnectItem();
    return added;
  }
  // Runs the event loop as the program does, sleeping until events come,
  // until the readout has painted the value; false after 10 s.
  bool WaitUntilShown(double value) {
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(10000);
    while (shown_.ShownValue() != value && deadline.isActive())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return shown_.ShownValue() == value;
  }
  Clock::time_point LastPaint() const { return shown_.LastPaint(); }

 private:
  TiOPCLibrary library_;
  bench::ShownReadout shown_{library_};
};

// Also printed: this benchmark library stops on its own consistency check
// when a repetition ends early, before it reports the error.
void Fail(benchmark::State& state, const char* problem) {
  std::fprintf(stderr, "OpcUaLatencyBench: %s\n", problem);
  state.SkipWithError(problem);
}

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

void BM_OpcUa_ChangeToRepaint(benchmark::State& state) {
  std::string problem;
  test::OpcUaTestServer* server = SharedServer(problem);
  if (!server) {
    state.SkipWithError(problem.c_str());
    return;
  }
  server->Command("set Double -5");  // not the readout's own 0
  BoundReadout bound;
  bound.Connect(*server, static_cast<int>(state.range(0)));
  if (!bound.WaitUntilShown(-5)) {
    Fail(state, "the readout never showed the server's value");
    return;
  }
  bench::TimeChangesToRepaint(
      state, 0, [&](int value) { server->Command("set Double " + std::to_string(value)); },
      [&](int value) { return bound.WaitUntilShown(value); }, [&] { return bound.LastPaint(); },
      [](int value) { test::WaitUntil([] { return false; }, std::chrono::milliseconds(20 + value % 7 * 13)); });
  state.counters["helper_MiB"] = HelperMiB();
}
BENCHMARK(BM_OpcUa_ChangeToRepaint)->Arg(0)->Arg(100)->Iterations(25)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_OpcUa_HelperStartup(benchmark::State& state) {
  std::string problem;
  test::OpcUaTestServer* server = SharedServer(problem);
  if (!server) {
    state.SkipWithError(problem.c_str());
    return;
  }
  server->Command("set Double 7");
  const bool newCertificate = state.range(0) != 0;
  const std::filesystem::path pki =
      std::filesystem::temp_directory_path() / ("tintoral-bench-pki-" + std::to_string(getpid()));
  double helperMiB = 0;
  for (auto _ : state) {
    if (!test::WaitUntil([] { return test::HelperPids().empty(); }, std::chrono::seconds(10))) {
      Fail(state, "the previous helper did not end within 10 s");
      break;
    }
    if (newCertificate) {
      std::filesystem::remove_all(pki);
      setenv("TINTORAL_OPCUA_PKI", pki.c_str(), 1);
    }
    BoundReadout bound;
    const Clock::time_point added = bound.Connect(*server, 0);
    if (!bound.WaitUntilShown(7)) {
      Fail(state, "the first value was not shown within 10 s");
      break;
    }
    state.SetIterationTime(Seconds(bound.LastPaint() - added));
    helperMiB = HelperMiB();
  }
  unsetenv("TINTORAL_OPCUA_PKI");
  std::filesystem::remove_all(pki);
  state.counters["helper_MiB"] = helperMiB;
}
BENCHMARK(BM_OpcUa_HelperStartup)->Arg(0)->Arg(1)->Iterations(4)->UseManualTime()->Unit(benchmark::kMillisecond);

// The bare client's CPU seconds and values received so far, asked on its
// stdin; {-1, 0} when it does not answer.
std::pair<double, double> FloorCpuAndValues(test::OpcUaTestServer& floor) {
  const std::size_t asked = floor.Lines("cpu ").size();
  floor.Command("cpu");
  if (!test::WaitUntil([&] { return floor.Lines("cpu ").size() > asked; }, std::chrono::seconds(10))) return {-1, 0};
  std::istringstream answer(floor.Lines("cpu ").back().substr(4));
  double microseconds = 0, values = 0;
  answer >> microseconds >> values;
  return {microseconds / 1e6, values};
}

void BM_OpcUa_ThousandItems(benchmark::State& state) {
  constexpr int kItems = 1000, kRate = 100;
  std::string problem;
  test::OpcUaTestServer* server = SharedServer(problem);
  if (!server) {
    state.SkipWithError(problem.c_str());
    return;
  }
  static const bool counting = [&] {
    server->Command("count " + std::to_string(kItems) + " 10");
    return server->WaitForLine("counting", std::chrono::seconds(30));
  }();
  if (!counting) return Fail(state, "the server did not make its counters");
  TiOPCLibrary library(TINTORAL_OPCUA_LINK_FILE);
  bench::ReadoutGrid grid(
      library, server->Endpoint(), kItems, [](int i) { return "ns=1;s=Count" + std::to_string(i); }, kRate);
  test::OpcUaTestServer floor(TINTORAL_OPCUA_FLOOR_CLIENT, "subscribed",
                              {server->Endpoint(), std::to_string(kItems), std::to_string(kRate)});
  if (!floor.Start()) return Fail(state, "the bare client did not subscribe");
  const bool shown = test::WaitUntil(
      [&] {
        for (int i = 0; i < kItems; ++i)
          if (grid.Value(i) == 0) return false;
        return true;
      },
      std::chrono::seconds(60));
  if (!shown) {
    int showing = 0;
    for (int i = 0; i < kItems; ++i) showing += grid.Value(i) != 0;
    std::fprintf(stderr, "OpcUaLatencyBench: %d of %d readouts show a count\n", showing, kItems);
    return Fail(state, "the readouts did not all show a count within 60 s");
  }
  const std::vector<pid_t> helpers = test::HelperPids();
  if (helpers.empty()) return Fail(state, "no OPC UA helper runs");
  double helperPercent = 0, floorPercent = 0, floorValuesPerSecond = 0, panelCountsPerSecond = 0;
  bench::CpuShares panel;
  for (auto _ : state) {
    std::vector<double> countsBefore;
    for (int i = 0; i < kItems; ++i) countsBefore.push_back(grid.Value(i));
    const double helperBefore = bench::ProcessCpuSeconds(helpers[0]);
    const auto [floorBefore, valuesBefore] = FloorCpuAndValues(floor);
    const Clock::time_point start = Clock::now();
    panel = bench::RunEventsMeasuringCpu(std::chrono::seconds(5), "");
    const double elapsed = Seconds(Clock::now() - start);
    helperPercent = 100 * (bench::ProcessCpuSeconds(helpers[0]) - helperBefore) / elapsed;
    const auto [floorAfter, valuesAfter] = FloorCpuAndValues(floor);
    floorPercent = 100 * (floorAfter - floorBefore) / elapsed;
    floorValuesPerSecond = (valuesAfter - valuesBefore) / elapsed;
    double counted = 0;
    for (int i = 0; i < kItems; ++i) counted += grid.Value(i) - countsBefore[static_cast<std::size_t>(i)];
    panelCountsPerSecond = counted / elapsed;
  }
  state.counters["panel_cpu_pct"] = panel.restPercent;
  state.counters["helper_cpu_pct"] = helperPercent;
  state.counters["floor_cpu_pct"] = floorPercent;
  state.counters["floor_values_per_s"] = floorValuesPerSecond;
  state.counters["helper_per_floor"] = floorPercent > 0 ? helperPercent / floorPercent : 0;
  state.counters["panel_counts_per_s"] = panelCountsPerSecond;
}
BENCHMARK(BM_OpcUa_ThousandItems)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
