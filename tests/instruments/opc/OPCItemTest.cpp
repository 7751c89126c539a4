// Items against the test link library: when they connect and with what,
// reconnecting, disconnecting, the error flag from the quality, and the
// values received on the library's thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

#include "instruments/opc/ItemManager.h"
#include "instruments/opc/OPCItem.h"
#include "instruments/opc/OPCLibrary.h"
#include "linklib/testlink/TestLinkClient.h"
#include "runtime/Component.h"

namespace tintoral::test {
namespace {

class OPCItemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OPCLibraryAvailable());
    link.Reset();
  }
  void TearDown() override { link.Reset(); }

  // The item's settings that make it connectable.
  TiOPCItem& NewItem(const std::string& group, const std::string& server, const std::string& itemName,
                     const std::string& property = "Position") {
    TiOPCItem& item = manager.Add();
    item.SetAutoConnect(false);
    item.SetPropertyName(property);
    item.SetGroupName(group);
    item.SetServerName(server);
    item.SetItemName(itemName);
    return item;
  }
  std::vector<std::string> Calls() const { return link.Calls(); }
  // Runs the deliveries the poster queued, as the owner's thread would.
  int RunQueued() {
    std::vector<std::function<void()>> tasks;
    {
      std::lock_guard<std::mutex> guard(queueLock);
      tasks.swap(queued);
    }
    for (auto& task : tasks) task();
    return static_cast<int>(tasks.size());
  }

  TestLinkClient link{OPCLibrary().FilePath()};
  TComponent owner{nullptr};
  bool designing = false;
  bool loading = false;
  std::vector<int> errorFlags;
  std::vector<TVariant> delivered;
  std::mutex queueLock;
  std::vector<std::function<void()>> queued;
  TiOPCItemManager manager{&owner,
                           {.isDesigning = [this] { return designing; },
                            .newData = [this](TiOPCItem& item) { delivered.push_back(item.LastValue()); },
                            .propertyKind = [](const std::string& name) { return name == "Position" ? 4 : 0; },
                            .isLoading = [this] { return loading; },
                            .setErrorFlag = [this](bool value) { errorFlags.push_back(value); },
                            .post =
                                [this](std::function<void()> task) {
                                  std::lock_guard<std::mutex> guard(queueLock);
                                  queued.push_back(std::move(task));
                                }}};
};

TEST_F(OPCItemTest, ConnectsOnlyWithAPropertyAGroupOrServerAndAnItem) {
  struct Case {
    const char* group;
    const char* server;
    const char* item;
    const char* property;
    const char* expectedAdd;  // nullptr: no link
  };
  const Case cases[] = {
      {"", "Plant.Server", "Tank.Level", "Position", "SignalAdd Local|Plant.Server|Tank.Level||500|0|4"},
      {"Fast", "", "Tank.Level", "Position", "SignalAdd Local||Tank.Level|Fast|500|0|4"},
      {"", "", "Tank.Level", "Position", nullptr},
      {"  ", " ", "Tank.Level", "Position", nullptr},
      {"Fast", "Plant.Server", "  ", "Position", nullptr},
      {"Fast", "Plant.Server", "Tank.Level", "   ", nullptr},
  };
  for (const Case& c : cases) {
    link.Reset();
    TiOPCItem& item = NewItem(c.group, c.server, c.item, c.property);
    item.ConnectItem();
    if (c.expectedAdd) {
      EXPECT_EQ(Calls(), (std::vector<std::string>{c.expectedAdd})) << c.group << "/" << c.server;
      EXPECT_EQ(item.Handle(), 1);
      EXPECT_TRUE(item.IsItemActive());
    } else {
      EXPECT_TRUE(Calls().empty()) << c.group << "/" << c.server << "/" << c.item << "/" << c.property;
      EXPECT_EQ(item.Handle(), 0);
    }
    manager.Clear();
  }
}

TEST_F(OPCItemTest, ReconnectingDisconnectingAndDestructionCloseTheLink) {
  TiOPCItem& item = NewItem("G", "S", "I");
  item.ConnectItem();
  item.SetServerName("S2");          // active: reconnects
  item.SetPropertyName("Position");  // never reconnects
  link.SetActive(item.Handle(), false);
  item.SetUpdateRate(100);  // not active: only stored
  item.DisconnectItem();
  EXPECT_EQ(item.Handle(), 0);
  item.ConnectItem();
  manager.Clear();
  EXPECT_EQ(Calls(), (std::vector<std::string>{"SignalAdd Local|S|I|G|500|0|4", "SignalRemove 1",
                                               "SignalAdd Local|S2|I|G|500|0|4", "SignalRemove 2",
                                               "SignalAdd Local|S2|I|G|100|0|4", "SignalRemove 3"}));
}

TEST_F(OPCItemTest, NothingReachesTheLibraryWhileDesignedOrWithoutIt) {
  TiOPCItem& item = NewItem("G", "S", "I");
  designing = true;
  item.ConnectItem();
  EXPECT_FALSE(item.IsItemActive());
  designing = false;

  const TiOPCLibrary missing("");
  manager.SetLibrary(&missing);
  item.ConnectItem();
  item.SetAutoConnect(true);
  item.SendItemData(3.0);
  item.DisconnectItem();
  EXPECT_FALSE(item.IsItemActive());
  manager.SetLibrary(nullptr);

  TiOPCItem detached;
  detached.SetPropertyName("Position");
  detached.SetServerName("S");
  detached.SetItemName("I");
  detached.ConnectItem();
  EXPECT_FALSE(detached.IsItemActive());
  EXPECT_TRUE(Calls().empty());
}

TEST_F(OPCItemTest, AutoConnectConnectsWhenTurnedOnForAnOwnerThatIsNotLoading) {
  TiOPCItem& item = NewItem("G", "S", "I");
  loading = true;
  item.SetAutoConnect(true);
  EXPECT_EQ(item.Handle(), 0);
  loading = false;
  item.SetAutoConnect(false);
  EXPECT_EQ(item.Handle(), 0);
  item.SetAutoConnect(true);
  EXPECT_EQ(item.Handle(), 1);
}

TEST_F(OPCItemTest, TheErrorFlagFollowsBitsSixAndSevenOfTheQuality) {
  TiOPCItem& item = NewItem("G", "S", "I");
  item.ConnectItem();
  item.SetAutoError(true);
  const std::pair<std::uint16_t, int> cases[] = {{0xC0, 0}, {0x00, 1}, {0x40, 1}, {0x80, 1}, {0xFF, 0}, {0x1D8, 0}};
  for (const auto& [quality, flag] : cases) {
    errorFlags.clear();
    link.Serve(item.Handle(), 1.0, quality);
    RunQueued();
    EXPECT_EQ(errorFlags, std::vector<int>{flag}) << "quality " << quality;
  }
}

// A lost link shows as an inactive item with the last value: the flag goes
// up whatever quality comes with it, and down only with good data from an
// active item. An item not connected yet leaves the flag alone.
TEST_F(OPCItemTest, AConnectedItemThatGoesInactiveRaisesTheErrorFlagUntilGoodDataComesBack) {
  TiOPCItem& item = NewItem("G", "S", "I");
  item.SetAutoError(true);
  item.ConnectItem();
  EXPECT_TRUE(errorFlags.empty());
  struct Step {
    bool active;
    std::uint16_t quality;
    int flag;
  };
  const Step steps[] = {{true, 0xC0, 0}, {false, 0x18, 1}, {false, 0xC0, 1}, {true, 0x00, 1}, {true, 0xC0, 0}};
  for (const Step& step : steps) {
    errorFlags.clear();
    link.SetActive(item.Handle(), step.active);
    link.Serve(item.Handle(), 1.0, step.quality);
    RunQueued();
    EXPECT_EQ(errorFlags, std::vector<int>{step.flag}) << "active " << step.active << ", quality " << step.quality;
  }
}

TEST_F(OPCItemTest, ValuesFromTheLibrarysThreadCoalesceAndTheLatestIsDelivered) {
  TiOPCItem& item = NewItem("G", "S", "I");
  item.ConnectItem();
  link.Serve(item.Handle(), 1.0, 0xC0, 11);
  link.Serve(item.Handle(), std::string("2,5"), 0x40, 22);
  link.Serve(item.Handle(), 3.0, 0xD8, 33);
  EXPECT_EQ(item.LastValue(), TVariant(3.0));
  EXPECT_EQ(item.LastQuality(), 0xD8);
  EXPECT_EQ(item.LastTimestamp(), 33u);
  EXPECT_TRUE(delivered.empty()) << "nothing runs on the library's thread";
  EXPECT_EQ(RunQueued(), 1);
  EXPECT_EQ(delivered, std::vector<TVariant>{TVariant(3.0)});
  link.Serve(item.Handle(), 4.0, 0xC0);
  EXPECT_EQ(RunQueued(), 1) << "a new value after a delivery is delivered again";
}

TEST_F(OPCItemTest, AnItemDestroyedWithADeliveryQueuedIsNeverTouched) {
  TiOPCItem& item = NewItem("G", "S", "I");
  item.ConnectItem();
  const std::int32_t handle = item.Handle();
  link.Serve(handle, 1.0, 0xC0);
  manager.Clear();
  EXPECT_EQ(RunQueued(), 1);
  EXPECT_TRUE(delivered.empty());
}

TEST_F(OPCItemTest, ItemLoadedSwallowsErrorsThatConnectItemRaises) {
  TiOPCItem& item = NewItem("G", "S", "I");
  loading = true;
  item.SetAutoConnect(true);
  const TiOPCLibrary withoutFunctions("libm.so.6");
  manager.SetLibrary(&withoutFunctions);
  EXPECT_NO_THROW(item.ItemLoaded());
  try {
    item.ConnectItem();
    ADD_FAILURE() << "no error";
  } catch (const OPCLinkError& e) {
    EXPECT_EQ(e.Message(), "Function \"SignalGetActive\" not found in \"iOPC.dll\".");
  }
  manager.SetLibrary(nullptr);
  manager.Clear();
}

}  // namespace
}  // namespace tintoral::test
