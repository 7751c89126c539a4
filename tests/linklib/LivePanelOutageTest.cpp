// An unattended panel watched from outside as an operator would: panelview
// --mark-errors in a real X display (Xvfb) over a real node-opcua server on
// 127.0.0.1. The server is killed, frozen and restarted under it; the
// status line (panelview writes each new status text to stderr when asked)
// and the red error marking (in screenshots of the window) show each outage
// within 5 s and clear within 5 s of the server's return. A panel closed
// while its server is frozen leaves no helper process behind. The same
// holds for a Modbus TCP device (pymodbus) and an MQTT broker (mosquitto).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "ChildProcesses.h"
#include "OpcUaTestServer.h"
#include "modbus/ModbusTestServer.h"
#include "mqtt/MqttBroker.h"
#include "platform/graphics/Bitmap.h"
#include "tests/e2e/support/Process.h"
#include "tests/e2e/support/WindowClose.h"
#include "tests/e2e/support/XTools.h"
#include "tests/e2e/support/XvfbDisplay.h"

namespace tintoral::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The readout's place on the form (Left 8, Top 8, 200 x 60).
constexpr int kReadoutLeft = 8, kReadoutTop = 8, kReadoutHeight = 60;

std::string PanelForm(const std::string& endpoint, const std::string& itemName) {
  return R"(object OutagePanel: TForm
  Left = 10
  Top = 10
  Width = 230
  Height = 110
  Caption = 'Outage panel'
  object Readout: TiSevenSegmentAnalog
    Left = 8
    Top = 8
    Width = 200
    Height = 60
    OPCItems = <
      item
        PropertyName = 'Value'
        GroupName = 'Panel'
        ComputerName = 'Local'
        ServerName = ')" +
         endpoint + R"('
        ItemName = ')" +
         itemName + R"('
        UpdateRate = 100
        AutoConnect = True
        AutoError = True
      end>
  end
end
)";
}

bool ProcessGone(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const auto close = text.rfind(')');
  return close == std::string::npos || text.compare(close + 2, 1, "Z") == 0;
}

// panelview --mark-errors on a form, its stderr in a file.
class WatchedPanel {
 public:
  WatchedPanel(const e2e::XvfbDisplay& display, const std::string& endpoint, const std::string& itemName)
      : folder_(std::filesystem::temp_directory_path() / ("tintoral-outage-" + std::to_string(getpid()))),
        x_(display.ClientEnvironment(), SCREENGRAB_PROGRAM) {
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / "panel.txt") << PanelForm(endpoint, itemName);
    const int log = open((folder_ / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    e2e::Environment environment = display.ClientEnvironment();
    environment.push_back("PANELVIEW_STATUS_TO_STDERR=1");
    environment.push_back("QT_QPA_PLATFORM=xcb");
    // Under AddressSanitizer: Qt's own allocations kept to the end of the process are not the panel's leaks.
    environment.push_back("LSAN_OPTIONS=suppressions=" LEAK_SUPPRESSIONS ":print_suppressions=0");
    program_ = std::make_unique<e2e::ChildProcess>(
        std::vector<std::string>{TINTORAL_PANELVIEW, "--mark-errors", (folder_ / "panel.txt").string()}, environment,
        log, 2);
    close(log);
    window_ = x_.WaitForWindow("^Outage panel$", 60s).value_or("");
    display_ = display.ClientEnvironment();
  }
  ~WatchedPanel() {
    program_.reset();
    std::filesystem::remove_all(folder_);
  }

  bool HasWindow() const { return !window_.empty(); }
  pid_t Pid() const { return program_->Pid(); }

  // The last status text panelview wrote.
  std::string Status() const {
    std::ifstream file(folder_ / "stderr.txt");
    std::string line, last;
    while (std::getline(file, line))
      if (line.rfind("panelview status: ", 0) == 0) last = line.substr(18);
    return last;
  }
  // Whether the readout shows the red marking (its frame) on screen now.
  bool Marked() const {
    TBitmap shot;
    x_.Screenshot(window_, shot);
    return shot.Pixel(kReadoutLeft + 1, kReadoutTop + kReadoutHeight / 2) == clRed;
  }
  bool ShowsOutage() const { return Status().find(": lost since ") != std::string::npos && Marked(); }
  bool ShowsAllWell() const { return Status().find(": connected | all items well") != std::string::npos && !Marked(); }

  void Close() const { e2e::AskWindowToClose(display_, window_); }
  std::optional<int> WaitForExit(std::chrono::milliseconds timeout) { return program_->WaitForExit(timeout); }

 private:
  std::filesystem::path folder_;
  e2e::XTools x_;
  e2e::Environment display_;
  std::unique_ptr<e2e::ChildProcess> program_;
  std::string window_;
};

// Polls `condition` until it holds or `limit` passes; prints how long it took.
bool WithinLimit(const char* what, std::chrono::milliseconds limit, const std::function<bool()>& condition) {
  const auto since = Clock::now();
  while (!condition()) {
    if (Clock::now() - since > limit) {
      std::printf("[ figures  ] %s: not within %lld ms\n", what, static_cast<long long>(limit.count()));
      return false;
    }
    std::this_thread::sleep_for(100ms);
  }
  std::printf(
      "[ figures  ] %s after %lld ms\n", what,
      static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count()));
  return true;
}

// Kills the server and starts it again, freezes and thaws it, freezes it
// again: each outage shows and clears within 5 s. Ends with the server
// frozen and the panel still open.
template <class Server>
void CheckOutages(Server& server, const WatchedPanel& panel) {
  server.Kill();
  EXPECT_TRUE(WithinLimit("killed server shown", 5s, [&] { return panel.ShowsOutage(); })) << panel.Status();
  ASSERT_TRUE(server.Start()) << "on the same port";
  EXPECT_TRUE(WithinLimit("restarted server cleared", 5s, [&] { return panel.ShowsAllWell(); })) << panel.Status();

  server.Freeze(true);
  EXPECT_TRUE(WithinLimit("frozen server shown", 5s, [&] { return panel.ShowsOutage(); })) << panel.Status();
  server.Freeze(false);
  EXPECT_TRUE(WithinLimit("thawed server cleared", 5s, [&] { return panel.ShowsAllWell(); })) << panel.Status();

  server.Freeze(true);
  EXPECT_TRUE(WithinLimit("frozen again shown", 5s, [&] { return panel.ShowsOutage(); })) << panel.Status();
}

TEST(LivePanelOutageTest, KilledFrozenAndRestartedServerShowsAndClearsWithinFiveSeconds) {
  if (const std::string reason = OpcUaSkipReason(); !reason.empty()) GTEST_SKIP() << reason;
  if (!e2e::XvfbDisplay::Available()) GTEST_SKIP() << "Xvfb is not installed";
  OpcUaTestServer server;
  ASSERT_TRUE(server.Start());
  server.Command("set Double 42");
  e2e::XvfbDisplay display;
  WatchedPanel panel(display, server.Endpoint(), "ns=1;s=Double");
  ASSERT_TRUE(panel.HasWindow());
  ASSERT_TRUE(WithinLimit("panel connected", 60s, [&] { return panel.ShowsAllWell(); })) << panel.Status();
  const std::vector<pid_t> helpers = HelperPids(panel.Pid());
  ASSERT_EQ(helpers.size(), 1u);
  CheckOutages(server, panel);
  panel.Close();
  EXPECT_EQ(panel.WaitForExit(10s), std::optional<int>(0)) << "the panel closes while its server is frozen";
  EXPECT_TRUE(WithinLimit("helper gone", 10s, [&] { return ProcessGone(helpers[0]); }));
  server.Freeze(false);
}

// The same outages of a Modbus TCP device (pymodbus) under a panel; the
// Modbus link needs no helper process.
TEST(LivePanelOutageTest, KilledFrozenAndRestartedModbusDeviceShowsAndClearsWithinFiveSeconds) {
  if (const std::string reason = ModbusSkipReason(); !reason.empty()) GTEST_SKIP() << reason;
  if (!e2e::XvfbDisplay::Available()) GTEST_SKIP() << "Xvfb is not installed";
  ModbusTestServer device;
  ASSERT_TRUE(device.Start());
  device.Set("hr", 0, {42});
  e2e::XvfbDisplay display;
  WatchedPanel panel(display, device.ServerName(), "hr:0");
  ASSERT_TRUE(panel.HasWindow());
  ASSERT_TRUE(WithinLimit("panel connected", 60s, [&] { return panel.ShowsAllWell(); })) << panel.Status();
  CheckOutages(device, panel);
  panel.Close();
  EXPECT_EQ(panel.WaitForExit(10s), std::optional<int>(0)) << "the panel closes while its device is frozen";
  device.Freeze(false);
}

// The same outages of an MQTT broker (mosquitto) under a panel, with a
// device publishing its level three times a second.
TEST(LivePanelOutageTest, KilledFrozenAndRestartedMqttBrokerShowsAndClearsWithinFiveSeconds) {
  if (const std::string reason = MqttSkipReason(); !reason.empty()) GTEST_SKIP() << reason;
  if (!e2e::XvfbDisplay::Available()) GTEST_SKIP() << "Xvfb is not installed";
  MqttBroker broker;
  ASSERT_TRUE(broker.Start());
  std::atomic<bool> publishing{true};
  std::thread device([&] {
    for (int level = 0; publishing; ++level) {
      broker.Publish("plant/level", std::to_string(level % 100));
      std::this_thread::sleep_for(300ms);
    }
  });
  e2e::XvfbDisplay display;
  WatchedPanel panel(display, broker.ServerName(), "plant/level");
  ASSERT_TRUE(panel.HasWindow());
  EXPECT_TRUE(WithinLimit("panel connected", 60s, [&] { return panel.ShowsAllWell(); })) << panel.Status();
  CheckOutages(broker, panel);
  panel.Close();
  EXPECT_EQ(panel.WaitForExit(10s), std::optional<int>(0)) << "the panel closes while its broker is frozen";
  broker.Freeze(false);
  publishing = false;
  device.join();
}

}  // namespace
}  // namespace tintoral::test
