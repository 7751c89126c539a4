// The link library of an item is chosen by the scheme of its server name:
// several libraries in one panel, each loaded once, each link staying with
// the library that opened it. Copies of the test link library stand in for
// the Modbus and MQTT libraries beside the test programs.
#include <gtest/gtest.h>

#include <algorithm>

#include "instruments/opc/ItemManager.h"
#include "instruments/opc/OPCLibrary.h"
#include "linklib/testlink/TestLinkClient.h"
#include "runtime/Component.h"

namespace tintoral::test {
namespace {

struct SchemeCase {
  const char* serverName;
  const char* library;
};

void PrintTo(const SchemeCase& c, std::ostream* out) { *out << '"' << c.serverName << '"'; }

class LinkLibraryNameTest : public ::testing::TestWithParam<SchemeCase> {};

TEST_P(LinkLibraryNameTest, TheSchemeNamesTheLibrary) {
  EXPECT_EQ(LinkLibraryNameFor(GetParam().serverName), GetParam().library);
}

INSTANTIATE_TEST_SUITE_P(Schemes, LinkLibraryNameTest,
                         ::testing::Values(SchemeCase{"", "iOPC.dll"}, SchemeCase{"Plant.Server", "iOPC.dll"},
                                           SchemeCase{"opc.tcp://plant:4840/UA", "iOPC.dll"},
                                           SchemeCase{"modbus-tcp://plc:502/1", "libtintoralmodbus.so"},
                                           SchemeCase{"Modbus-TCP://plc/1", "libtintoralmodbus.so"},
                                           SchemeCase{"mqtt://broker", "libtintoralmqtt.so"},
                                           SchemeCase{"MQTTS://broker:8883", "libtintoralmqtt.so"},
                                           SchemeCase{"http://web/x", "iOPC.dll"}, SchemeCase{"://plc", "iOPC.dll"},
                                           SchemeCase{"a b://plc", "iOPC.dll"}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

class LinkLibraryChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const TestLinkClient* library : {&opc, &modbus, &mqtt}) library->Reset();
  }
  void TearDown() override {
    manager.Clear();
    for (const TestLinkClient* library : {&opc, &modbus, &mqtt}) library->Reset();
  }
  TiOPCItem& Connect(const std::string& server, const std::string& itemName) {
    TiOPCItem& item = manager.Add();
    item.SetPropertyName("Value");
    item.SetServerName(server);
    item.SetItemName(itemName);
    item.ConnectItem();
    return item;
  }

  TestLinkClient opc{OPCLibrary().FilePath()};
  TestLinkClient modbus{LinkLibraryFor("modbus-tcp://plc/1").FilePath()};
  TestLinkClient mqtt{LinkLibraryFor("mqtt://broker").FilePath()};
  TComponent owner{nullptr};
  std::vector<std::string> delivered;  // "item=value"
  TiOPCItemManager manager{&owner, [this] {
                             TiOPCItemManager::Callbacks callbacks;
                             callbacks.newData = [this](TiOPCItem& item) {
                               delivered.push_back(item.ItemName() + "=" + item.LastValue().ToString());
                             };
                             return callbacks;
                           }()};
};

TEST_F(LinkLibraryChoiceTest, ItemsOfSeveralSchemesInOnePanelEachUseTheirSchemesLibraryLoadedOnce) {
  ASSERT_TRUE(LinkLibraryFor("modbus-tcp://plc/1").Available());
  EXPECT_EQ(&LinkLibraryFor("modbus-tcp://plc/1"), &LinkLibraryFor("MODBUS-TCP://other:1502/7")) << "loaded once";
  EXPECT_NE(&LinkLibraryFor("modbus-tcp://plc/1"), &OPCLibrary());
  EXPECT_EQ(&LinkLibraryFor("mqtts://broker"), &LinkLibraryFor("mqtt://broker"));
  EXPECT_EQ(&LinkLibraryFor("opc.tcp://plant:4840"), &OPCLibrary());

  TiOPCItem& level = Connect("opc.tcp://plant:4840", "ns=1;s=Level");
  TiOPCItem& pump = Connect("modbus-tcp://plc/1", "hr:10:uint16");
  TiOPCItem& flow = Connect("mqtt://broker", "plant/flow");
  EXPECT_EQ(opc.Calls(), std::vector<std::string>{"SignalAdd Local|opc.tcp://plant:4840|ns=1;s=Level||500|0|0"});
  EXPECT_EQ(modbus.Calls(), std::vector<std::string>{"SignalAdd Local|modbus-tcp://plc/1|hr:10:uint16||500|0|0"});
  EXPECT_EQ(mqtt.Calls(), std::vector<std::string>{"SignalAdd Local|mqtt://broker|plant/flow||500|0|0"});

  // Handles are the libraries' own (each starts at 1): values, activity
  // and writes go to the library of the link.
  modbus.Serve(pump.Handle(), 7, 0xC0);
  mqtt.Serve(flow.Handle(), 2.5, 0xC0);
  opc.Serve(level.Handle(), 40, 0xC0);
  EXPECT_EQ(delivered, (std::vector<std::string>{"hr:10:uint16=7", "plant/flow=2.5", "ns=1;s=Level=40"}));
  modbus.SetActive(pump.Handle(), false);
  EXPECT_FALSE(pump.IsItemActive());
  EXPECT_TRUE(flow.IsItemActive());
  flow.SendItemData(3);
  EXPECT_EQ(mqtt.Calls().back(), "SignalSendData 1 Int32 3");

  const std::vector<const TiOPCLibrary*> inUse = LinkLibrariesInUse();
  for (const char* server : {"opc.tcp://x", "modbus-tcp://x", "mqtt://x"})
    EXPECT_NE(std::find(inUse.begin(), inUse.end(), &LinkLibraryFor(server)), inUse.end()) << server;
}

TEST_F(LinkLibraryChoiceTest, AnOpenLinkIsClosedInItsOwnLibraryWhenTheServerNameMovesItToAnother) {
  TiOPCItem& item = Connect("modbus-tcp://plc/1", "hr:10:uint16");
  item.SetServerName("mqtt://broker");
  EXPECT_EQ(modbus.Calls().back(), "SignalRemove 1");
  EXPECT_EQ(mqtt.Calls(), std::vector<std::string>{"SignalAdd Local|mqtt://broker|hr:10:uint16||500|0|0"});
  EXPECT_TRUE(opc.Calls().empty());
}

TEST_F(LinkLibraryChoiceTest, ALibrarySetForTheManagerServesEveryScheme) {
  manager.SetLibrary(&OPCLibrary());
  Connect("modbus-tcp://plc/1", "hr:10:uint16");
  EXPECT_EQ(opc.Calls(), std::vector<std::string>{"SignalAdd Local|modbus-tcp://plc/1|hr:10:uint16||500|0|0"});
  EXPECT_TRUE(modbus.Calls().empty());
  manager.SetLibrary(nullptr);
}

}  // namespace
}  // namespace tintoral::test
