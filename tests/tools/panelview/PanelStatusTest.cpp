// panelview's status line over the test link library: server connections
// and the items that are not well.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/window/MainThreadQueue.h"
#include "tests/instruments/base/DataLinkTestSupport.h"
#include "tools/panelview/PanelStatus.h"

namespace tintoral::test {
namespace {

class PanelStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OPCLibraryAvailable());
    TestLink().Reset();
    setenv("TZ", "UTC", 1);
    tzset();
    level = new TLinkedGauge(&panel);
    level->SetName("Level");
    level->SetPositionMax(1e9);
  }
  void TearDown() override {
    panel.DestroyComponents();
    TestLink().Reset();
    unsetenv("TZ");
    tzset();
  }
  std::string Status() const { return PanelStatusText(panel, OPCLibrary()); }

  TComponent panel{nullptr};
  TLinkedGauge* level = nullptr;
};

TEST_F(PanelStatusTest, ServersAreShownWithTheirStateAndTheTimeItBegan) {
  EXPECT_EQ(LocalClockTime(((13 * 60 + 4) * 60 + 5) * 1000LL + 999), "13:04:05");
  TestLink().SetConnection("Plant.Server", IOPC_CONNECTION_CONNECTED, 0);
  TestLink().SetConnection("Boiler", IOPC_CONNECTION_LOST, 3600000, "connection reset");
  TestLink().SetConnection("Mill", IOPC_CONNECTION_REFUSED, 7200000, "certificate untrusted");
  TestLink().SetConnection("Press", IOPC_CONNECTION_CONNECTING, 0);
  EXPECT_EQ(Status(),
            "Plant.Server: connected | Boiler: lost since 01:00:00, reconnecting (connection reset) | "
            "Mill: refused since 02:00:00 (certificate untrusted) | Press: connecting | all items well");
  EXPECT_EQ(PanelStatusText(panel, TiOPCLibrary("")), "no link library: the items stay unconnected");
}

// A copy of the test link library stands in for the Modbus library.
TEST_F(PanelStatusTest, TheConnectionsOfEveryLibraryInUseAreShownAndAMissingLibraryIsNamed) {
  const TiOPCLibrary& modbus = LinkLibraryFor("modbus-tcp://plc/1");
  const TestLinkClient modbusLink(modbus.FilePath());
  modbusLink.Reset();
  TestLink().SetConnection("opc.tcp://plant", IOPC_CONNECTION_CONNECTED, 0);
  modbusLink.SetConnection("modbus-tcp://plc/1", IOPC_CONNECTION_LOST, 3600000, "connection refused");
  const TiOPCLibrary missing("/nonexistent/libtintoralmqtt.so");
  EXPECT_EQ(PanelStatusText(panel, {&OPCLibrary(), &modbus, &missing}),
            "opc.tcp://plant: connected | modbus-tcp://plc/1: lost since 01:00:00, reconnecting (connection refused) | "
            "no link library /nonexistent/libtintoralmqtt.so: its items stay unconnected | all items well");
  modbusLink.Reset();
}

TEST_F(PanelStatusTest, ItemsWithBadQualityDroppedValuesOrProblemsAreNamed) {
  TiOPCItem& item = level->Bind("Position", "Tank.Level");
  TiOPCItem& spare = level->Bind("Caption", "Tank.Name");
  EXPECT_EQ(Status(),
            "Level.Position <- Plant.Server/Tank.Level: no value yet | Level.Caption <- Plant.Server/Tank.Name: no "
            "value yet");
  EXPECT_EQ(PanelStatusLines(panel, OPCLibrary()).size(), 2u) << "one line per item";
  TestLink().Serve(item.Handle(), 5.0, 0x00);
  TestLink().StartCountedFeed({spare.Handle()}, 0, 5000);
  TestLink().WaitFeed();
  RunMainThreadTasks();
  EXPECT_EQ(Status(),
            "Level.Position <- Plant.Server/Tank.Level: bad quality | "
            "Level.Caption <- Plant.Server/Tank.Name: 904 values dropped");

  TestLink().SetActive(item.Handle(), false);
  level->SetPosition(7);
  level->SetPosition(8);
  EXPECT_EQ(Status().substr(0, Status().find(" | ")),
            "Level.Position <- Plant.Server/Tank.Level: not active, write of 8 refused: the server is not connected "
            "(2 problems)");
}

TEST_F(PanelStatusTest, AnItemTheLibraryTookNoLinkForIsReportedWithTheFileAndTheLine) {
  TiOPCItem& item = level->OPCItemManager().Add();  // never connected: no handle
  item.SetPropertyName("Position");
  item.SetServerName("bogus://x");
  item.SetItemName("Tank");
  item.SetSourceLine(12);
  EXPECT_EQ(UnlinkedItemReports(panel, "panel.txt"),
            std::vector<std::string>{"panel.txt:12: Level.OPCItems item 0 (Position <- bogus://x/Tank): the link "
                                     "library took no link for it: ServerName 'bogus://x' is in no form the library "
                                     "accepts"});
  EXPECT_EQ(Status(), "Level.Position <- bogus://x/Tank: not connected: the link library took no link");
  item.SetAutoConnect(false);
  EXPECT_TRUE(UnlinkedItemReports(panel, "panel.txt").empty()) << "not meant to connect";
}

}  // namespace
}  // namespace tintoral::test
