// The Modbus TCP link library against a pymodbus device (the linklib
// tests' server on 127.0.0.1, on a free port), into readouts on a shown
// form, the event loop run as panelview runs it:
//  - ChangeToRepaint/<UpdateRate>: from the command that changes the
//    register on the device to the readout having repainted the new value
//    (manual time; median_ms the median change). The goal is one polling
//    period plus 10 ms.
//  - ThousandItems: 1,000 readouts, each bound to its own holding register,
//    all counting up 10 times a second on the device, UpdateRate 100, for
//    5 s: panel_cpu_pct is the share of one core the rest of this process
//    used (the panel), link_cpu_pct that of the link's thread; values_pct
//    the share of the readouts showing a value of the last second.
// Without pymodbus the benchmarks skip and say why.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/LinkBenchSupport.h"
#include "bench/support/ReadoutGrid.h"
#include "bench/support/ShownReadout.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/opc/OPCLibrary.h"
#include "platform/window/Form.h"
#include "tests/linklib/OpcUaTestServer.h"
#include "tests/linklib/modbus/ModbusTestServer.h"

namespace {

using namespace tintoral;
using bench::RunEventsFor;

test::ModbusTestServer* SharedDevice(std::string& problem) {
  return bench::SharedPeer<test::ModbusTestServer>(test::ModbusSkipReason, "the Modbus test server", problem);
}

TiOPCLibrary& ModbusLibrary() {
  static TiOPCLibrary library(TINTORAL_MODBUS_LINK_FILE);
  return library;
}

void BM_Modbus_ChangeToRepaint(benchmark::State& state) {
  std::string problem;
  test::ModbusTestServer* device = SharedDevice(problem);
  if (!device) {
    state.SkipWithError(problem.c_str());
    return;
  }
  device->Set("hr", 500, {5});
  bench::ShownReadout shown(ModbusLibrary());
  shown.Show();
  TiOPCItem& item = shown.AddValueItem();
  item.SetServerName(device->ServerName());
  item.SetItemName("hr:500");
  item.SetUpdateRate(static_cast<int>(state.range(0)));
  item.ConnectItem();
  const auto waitShown = [&](double value) {
    return test::WaitUntil([&] { return shown.ShownValue() == value; }, std::chrono::seconds(10));
  };
  if (!waitShown(5)) {
    state.SkipWithError("the readout never showed the device's value");
    return;
  }
  bench::TimeChangesToRepaint(
      state, 5, [&](int value) { device->Set("hr", 500, {value}); }, waitShown, [&] { return shown.LastPaint(); },
      [](int value) { RunEventsFor(std::chrono::milliseconds(20 + value % 7 * 13)); });
}
BENCHMARK(BM_Modbus_ChangeToRepaint)->Arg(20)->Arg(100)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Modbus_ThousandItems(benchmark::State& state) {
  constexpr int kItems = 1000;
  std::string problem;
  test::ModbusTestServer* device = SharedDevice(problem);
  if (!device) {
    state.SkipWithError(problem.c_str());
    return;
  }
  bench::ReadoutGrid grid(
      ModbusLibrary(), device->ServerName(), kItems, [](int i) { return "hr:" + std::to_string(i); }, 100);
  device->CountUp("hr", 0, kItems, 10);
  RunEventsFor(std::chrono::seconds(1));
  bench::CpuShares cpu;
  double valuesPercent = 0;
  for (auto _ : state) {
    cpu = bench::RunEventsMeasuringCpu(std::chrono::seconds(5), "modbus-link");
    const std::vector<int> now = device->Get("hr", 0, kItems);
    int fresh = 0;
    for (int i = 0; i < kItems && i < static_cast<int>(now.size()); ++i)
      fresh += now[static_cast<std::size_t>(i)] - grid.Value(i) <= 10;
    valuesPercent = 100.0 * fresh / kItems;
  }
  state.counters["panel_cpu_pct"] = cpu.restPercent;
  state.counters["link_cpu_pct"] = cpu.linkPercent;
  state.counters["values_pct"] = valuesPercent;
}
BENCHMARK(BM_Modbus_ThousandItems)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
