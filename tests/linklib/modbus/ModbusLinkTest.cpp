// The Modbus TCP link against a pymodbus server started by the test: values
// of every area and type, writes with their function codes, exception
// responses, and a server that is missing, killed or frozen.
#include <gtest/gtest.h>

#include <chrono>

#include "LinkFixture.h"
#include "ModbusTestServer.h"
#include "OpcUaTestServer.h"
#include "linklib/modbus/ModbusLink.h"

namespace tintoral::test {
namespace {

using namespace std::chrono_literals;
class ModbusLinkTest : public LinkFixture {
 protected:
  void SetUp() override {
    if (const std::string reason = ModbusSkipReason(); !reason.empty()) GTEST_SKIP() << reason;
    ASSERT_TRUE(server.Start());
    link = std::make_unique<modbus::ModbusLink>();
  }
  std::int32_t Add(const std::string& itemName, int updateRate = 50, const std::string& group = "",
                   const std::string& serverName = "") {
    return AddItem(serverName.empty() ? server.ServerName() : serverName, itemName, group, updateRate);
  }

  ModbusTestServer server;
};

TEST_F(ModbusLinkTest, ValuesOfEveryAreaAndTypeArriveAndFollowTheServer) {
  server.Set("co", 3, {1});
  server.Set("di", 4, {1});
  server.Set("ir", 5, {65535});
  server.Set("hr", 10, {0x3FC0, 0, 0xFFFF, 0xFFFE, 0x4F4B, 0, 0x1170, 0x0001});
  const std::int32_t coil = Add("coil:3");
  const std::int32_t input = Add("di:4");
  const std::int32_t inputRegister = Add("ir:5:int16");
  const std::int32_t real = Add("hr:10:float32");
  const std::int32_t integer = Add("hr:12:int32");
  const std::int32_t text = Add("hr:14:string4");
  const std::int32_t wide = Add("hr:16:uint32:cdab", 200, "slow");
  WaitFor(coil, "true/192");
  WaitFor(input, "true/192");
  WaitFor(inputRegister, "-1/192");
  WaitFor(real, "1.500000/192");
  WaitFor(integer, "-2/192");
  WaitFor(text, "'OK'/192");
  WaitFor(wide, "70000/192");
  EXPECT_TRUE(link->Active(real));
  EXPECT_EQ(State(), IOPC_CONNECTION_CONNECTED);
  server.Set("hr", 10, {0xC000, 0});
  WaitFor(real, "-2.000000/192");
}

TEST_F(ModbusLinkTest, WritesReachTheServerAndComeBackAsValues) {
  const std::int32_t coil = Add("coil:1");
  const std::int32_t real = Add("hr:20:float32:cdab");
  const std::int32_t small = Add("hr:30:int16");
  ASSERT_TRUE(WaitFor(real, "0.000000/192"));
  WaitFor(coil, "false/192");
  link->Send(coil, Number(1));
  link->Send(real, Number(2.5));
  link->Send(small, Number(-3));
  WaitFor(real, "2.500000/192");
  WaitFor(small, "-3/192");
  WaitFor(coil, "true/192");
  EXPECT_EQ(server.Get("hr", 20, 2), (std::vector<int>{0, 0x4020}));
  EXPECT_EQ(server.Get("hr", 30, 1), std::vector<int>{0xFFFD});
  EXPECT_EQ(server.Get("co", 1, 1), std::vector<int>{1});
  EXPECT_EQ(link->Status(real), "");
}

TEST_F(ModbusLinkTest, RefusedWritesAreReportedAndTheServersValueComesAgain) {
  const std::int32_t input = Add("ir:2");
  const std::int32_t holding = Add("hr:2");
  ASSERT_TRUE(WaitFor(holding, "0/192"));
  WaitFor(input, "0/192");
  ForgetValues();
  link->Send(input, Number(5));
  link->Send(holding, Number(70000));
  WaitFor(input, "0/192");
  WaitFor(holding, "0/192");
  EXPECT_EQ(link->Status(input), "write refused: input registers are read-only");
  EXPECT_EQ(link->Status(holding), "write refused: 70000 is out of range for uint16");
  link->Send(holding, Number(7));
  WaitFor(holding, "7/192");
  EXPECT_EQ(link->Status(holding), "") << "a write's problem stays until a write succeeds";
}

TEST_F(ModbusLinkTest, AnExceptionResponseMarksOnlyTheItemsAtFault) {
  server.Set("hr", 998, {4});
  const std::int32_t good = Add("hr:998");
  const std::int32_t beyond = Add("hr:999:int32");  // registers 999 and 1000: the server has 1,000
  WaitFor(good, "4/192");
  WaitFor(beyond, "empty/4");
  EXPECT_FALSE(link->Active(beyond));
  EXPECT_TRUE(link->Active(good));
  EXPECT_EQ(link->Status(beyond), "read refused: illegal data address (exception 2)");
  const std::int32_t badName = Add("hr:x");
  WaitFor(badName, "empty/4");
  EXPECT_EQ(link->Status(badName), "bad item name: the address is not a number from 0 to 65535");
}

TEST_F(ModbusLinkTest, AKilledServerMakesItemsInactiveAndTheyComeBackWithIt) {
  server.Set("hr", 1, {11});
  const std::int32_t item = Add("hr:1");
  ASSERT_TRUE(WaitFor(item, "11/192"));
  server.Kill();
  WaitFor(item, "11/24");
  EXPECT_FALSE(link->Active(item));
  EXPECT_EQ(State(), IOPC_CONNECTION_LOST);
  EXPECT_EQ(link->Status(item).rfind("connection lost: ", 0), 0u) << link->Status(item);
  link->Send(item, Number(3));
  WaitUntil([&] { return !link->Status(item).empty() && link->Status(item).rfind("write failed", 0) == 0; }, 5s);
  EXPECT_EQ(link->Status(item), "write failed: not connected");
  ASSERT_TRUE(server.Start());
  server.Set("hr", 1, {12});
  WaitFor(item, "12/192");
  EXPECT_TRUE(link->Active(item));
  EXPECT_EQ(State(), IOPC_CONNECTION_CONNECTED);
}

TEST_F(ModbusLinkTest, AFrozenServerIsNoticedAndAnsweringAgainBringsTheValuesBack) {
  server.Set("hr", 1, {5});
  const std::int32_t item = Add("hr:1");
  ASSERT_TRUE(WaitFor(item, "5/192"));
  server.Freeze(true);
  WaitFor(item, "5/24");
  std::string text;
  EXPECT_EQ(State(&text), IOPC_CONNECTION_LOST);
  EXPECT_EQ(text, "the server does not answer");
  server.Freeze(false);
  WaitFor(item, "5/192");
}

TEST_F(ModbusLinkTest, AServerThatIsNotThereOrNotNamedRightLeavesItsItemsInactive) {
  const std::string nowhere = "modbus-tcp://127.0.0.1:" + std::to_string(FreePort()) + "/1";
  const std::int32_t missing = Add("hr:1", 50, "", nowhere);
  WaitFor(missing, "empty/8");
  EXPECT_EQ(link->Status(missing), "not connected: connection refused");
  const std::int32_t misnamed = Add("hr:1", 50, "", "modbus-tcp://127.0.0.1:x");
  WaitFor(misnamed, "empty/4");
  EXPECT_EQ(link->Status(misnamed), "connection refused: bad server name: the port is not a number from 1 to 65535");
}

}  // namespace
}  // namespace tintoral::test
