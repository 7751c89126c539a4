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
#include <dirent.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/support/ShownReadout.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/opc/OPCLibrary.h"
#include "platform/window/Form.h"
#include "tests/linklib/OpcUaTestServer.h"
#include "tests/linklib/modbus/ModbusTestServer.h"

namespace {

using namespace tintoral;
using Clock = bench::ShownReadout::Clock;

test::ModbusTestServer* SharedDevice(std::string& problem) {
  static std::unique_ptr<test::ModbusTestServer> device;
  static std::string failure;
  if (!device && failure.empty()) {
    failure = test::ModbusSkipReason();
    if (failure.empty()) {
      device = std::make_unique<test::ModbusTestServer>();
      if (!device->Start()) failure = "the Modbus test server did not start";
    }
  }
  problem = failure;
  return failure.empty() ? device.get() : nullptr;
}

TiOPCLibrary& ModbusLibrary() {
  static TiOPCLibrary library(TINTORAL_MODBUS_LINK_FILE);
  return library;
}

// CPU seconds of this process's threads: those named `name`, and the rest.
std::pair<double, double> ThreadSeconds(const std::string& name) {
  const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
  double named = 0, rest = 0;
  DIR* tasks = opendir("/proc/self/task");
  while (dirent* entry = tasks ? readdir(tasks) : nullptr) {
    if (entry->d_name[0] == '.') continue;
    std::ifstream stat(std::string("/proc/self/task/") + entry->d_name + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t open = text.find('('), close = text.rfind(')');
    if (open == std::string::npos || close == std::string::npos) continue;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    double user = 0, system = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
      if (i == 14) user = std::stod(field);
      if (i == 15) system = std::stod(field);
    }
    (text.substr(open + 1, close - open - 1) == name ? named : rest) += (user + system) / tick;
  }
  if (tasks) closedir(tasks);
  return {named, rest};
}

void RunEventsFor(std::chrono::milliseconds time) {
  QTimer deadline;
  deadline.setSingleShot(true);
  deadline.start(static_cast<int>(time.count()));
  while (deadline.isActive()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

double MedianMilliseconds(std::vector<double> seconds) {
  if (seconds.empty()) return 0;
  std::nth_element(seconds.begin(), seconds.begin() + seconds.size() / 2, seconds.end());
  return seconds[seconds.size() / 2] * 1000;
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
  int value = 5;
  std::vector<double> latencies;
  for (auto _ : state) {
    ++value;
    const Clock::time_point sent = Clock::now();
    device->Set("hr", 500, {value});
    if (!waitShown(value)) {
      state.SkipWithError("a change was not shown within 10 s");
      break;
    }
    latencies.push_back(std::chrono::duration<double>(shown.LastPaint() - sent).count());
    state.SetIterationTime(latencies.back());
    RunEventsFor(std::chrono::milliseconds(20 + value % 7 * 13));
  }
  state.counters["median_ms"] = MedianMilliseconds(latencies);
}
BENCHMARK(BM_Modbus_ChangeToRepaint)->Arg(20)->Arg(100)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Modbus_ThousandItems(benchmark::State& state) {
  constexpr int kItems = 1000, kColumns = 40;
  std::string problem;
  test::ModbusTestServer* device = SharedDevice(problem);
  if (!device) {
    state.SkipWithError(problem.c_str());
    return;
  }
  TForm form(nullptr);
  form.SetBounds(0, 0, kColumns * 24, (kItems / kColumns) * 14);
  std::vector<TiSevenSegmentAnalog*> readouts;
  for (int i = 0; i < kItems; ++i) {
    auto* readout = new TiSevenSegmentAnalog(&form);
    readout->SetParent(&form);
    readout->SetBounds(i % kColumns * 24, i / kColumns * 14, 24, 14);
    readout->OPCItemManager().SetLibrary(&ModbusLibrary());
    TiOPCItem& item = readout->OPCItemManager().Add();
    item.SetPropertyName("Value");
    item.SetServerName(device->ServerName());
    item.SetItemName("hr:" + std::to_string(i));
    item.SetUpdateRate(100);
    item.ConnectItem();
    readouts.push_back(readout);
  }
  form.Show();
  device->CountUp("hr", 0, kItems, 10);
  RunEventsFor(std::chrono::seconds(1));
  double panelPercent = 0, linkPercent = 0, valuesPercent = 0;
  for (auto _ : state) {
    const auto [linkBefore, restBefore] = ThreadSeconds("modbus-link");
    const Clock::time_point start = Clock::now();
    RunEventsFor(std::chrono::seconds(5));
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    const auto [linkAfter, restAfter] = ThreadSeconds("modbus-link");
    linkPercent = 100 * (linkAfter - linkBefore) / elapsed;
    panelPercent = 100 * (restAfter - restBefore) / elapsed;
    const std::vector<int> now = device->Get("hr", 0, kItems);
    int fresh = 0;
    for (int i = 0; i < kItems && i < static_cast<int>(now.size()); ++i)
      fresh += now[static_cast<std::size_t>(i)] - readouts[static_cast<std::size_t>(i)]->Value() <= 10;
    valuesPercent = 100.0 * fresh / kItems;
  }
  state.counters["panel_cpu_pct"] = panelPercent;
  state.counters["link_cpu_pct"] = linkPercent;
  state.counters["values_pct"] = valuesPercent;
  for (TiSevenSegmentAnalog* readout : readouts) readout->OPCItemManager().Clear();
}
BENCHMARK(BM_Modbus_ThousandItems)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
