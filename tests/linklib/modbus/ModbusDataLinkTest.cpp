// The Modbus link under the data link, as a slider uses it: key steps at
// auto-repeat speed all reach the device and none is undone by a poll that
// predates it, and a write the device cannot take is reported and undone.
#include <gtest/gtest.h>

#include <chrono>

#include "ModbusTestServer.h"
#include "OpcUaTestServer.h"
#include "instruments/opc/OPCLibrary.h"
#include "tests/instruments/base/DataLinkTestSupport.h"

namespace tintoral::test {
namespace {

using namespace std::chrono_literals;

class ModbusDataLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::string reason = ModbusSkipReason(); !reason.empty()) GTEST_SKIP() << reason;
    ASSERT_TRUE(library.Available()) << library.LoadError();
    ASSERT_TRUE(device.Start());
    gauge = new TLinkedGauge(&panel);
    gauge->SetPositionMax(1e6);
    gauge->OPCItemManager().SetLibrary(&library);
  }
  void TearDown() override { panel.DestroyComponents(); }
  TiOPCItem& Bind(const std::string& itemName) {
    TiOPCItem& item = gauge->OPCItemManager().Add();
    item.SetPropertyName("Position");
    item.SetServerName(device.ServerName());
    item.SetItemName(itemName);
    item.SetUpdateRate(50);
    item.ConnectItem();
    return item;
  }

  ModbusTestServer device;
  TiOPCLibrary library{TINTORAL_MODBUS_LINK_FILE};
  TComponent panel{nullptr};
  TLinkedGauge* gauge = nullptr;
};

TEST_F(ModbusDataLinkTest, KeyStepsAtAutoRepeatSpeedAllReachTheDeviceAndStay) {
  device.Set("hr", 40, {100});
  TiOPCItem& item = Bind("hr:40");
  ASSERT_TRUE(WaitUntil([&] { return gauge->Position() == 100; }, 5s));
  for (int step = 1; step <= 20; ++step) {
    gauge->SetPosition(100 + step);
    const double set = gauge->Position();
    WaitUntil([] { return false; }, 30ms);  // auto-repeat pace, polls arriving meanwhile
    EXPECT_EQ(gauge->Position(), set) << "a poll from before the step moved the slider back";
  }
  EXPECT_TRUE(WaitUntil([&] { return device.Get("hr", 40, 1) == std::vector<int>{120}; }, 5s));
  WaitUntil([] { return false; }, 300ms);
  EXPECT_EQ(gauge->Position(), 120);
  EXPECT_EQ(item.Status(), "");
}

TEST_F(ModbusDataLinkTest, AWriteTheDeviceCannotTakeIsReportedAndTheSliderReturns) {
  device.Set("ir", 7, {30});
  TiOPCItem& item = Bind("ir:7");
  ASSERT_TRUE(WaitUntil([&] { return gauge->Position() == 30; }, 5s));
  gauge->SetPosition(55);
  EXPECT_TRUE(WaitUntil([&] { return gauge->Position() == 30; }, 5s)) << "the device's value comes back";
  EXPECT_EQ(item.Status(), "write refused: input registers are read-only");
}

}  // namespace
}  // namespace tintoral::test
