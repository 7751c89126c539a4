// Items against the test link library: when they connect and with what,
// reconnecting, disconnecting, the error flag from the quality, the values
// received on the library's thread, and writes: held in flight or refused.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
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
 public:
  int RunQueuedNow() { return RunQueued(); }

 protected:
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
  std::vector<std::string> deliveredData;  // "value/quality/timestamp"
  std::vector<std::string> problems;
  std::mutex queueLock;
  std::vector<std::function<void()>> queued;
  std::vector<TVariant> restored;  // values put back after a refused write
  TiOPCItemManager manager{
      &owner,
      {.isDesigning = [this] { return designing; },
       .newData =
           [this](TiOPCItem& item) {
             const TiOPCItemData data = item.LastData();
             delivered.push_back(data.value);
             deliveredData.push_back(data.value.ToString() + "/" + std::to_string(data.quality) + "/" +
                                     std::to_string(data.timestamp));
           },
       .propertyKind = [](const std::string& name) { return name == "Position" ? 4 : 0; },
       .isLoading = [this] { return loading; },
       .setErrorFlag = [this](bool value) { errorFlags.push_back(value); },
       .post =
           [this](std::function<void()> task) {
             std::lock_guard<std::mutex> guard(queueLock);
             queued.push_back(std::move(task));
           },
       .reportProblem = [this](TiOPCItem&, const std::string& message) { problems.push_back(message); },
       .restoreValue = [this](TiOPCItem&, const TVariant& value) { restored.push_back(value); }}};
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

TEST_F(OPCItemTest, EveryValueFromTheLibrarysThreadIsDeliveredInOrderWithItsOwnQualityAndTimestamp) {
  TiOPCItem& item = NewItem("G", "S", "I");
  item.ConnectItem();
  link.Serve(item.Handle(), 1.0, 0xC0, 11);
  link.Serve(item.Handle(), std::string("2,5"), 0x40, 22);
  link.Serve(item.Handle(), 3.0, 0xD8, 33);
  EXPECT_TRUE(delivered.empty()) << "nothing runs on the library's thread";
  EXPECT_EQ(RunQueued(), 1) << "one delivery for the burst";
  EXPECT_EQ(deliveredData, (std::vector<std::string>{"1/192/11", "2,5/64/22", "3/216/33"}));
  EXPECT_EQ(item.LastValue(), TVariant(3.0));
  link.Serve(item.Handle(), 4.0, 0xC0);
  EXPECT_EQ(RunQueued(), 1) << "a new value after a delivery is delivered again";
}

TEST_F(OPCItemTest, AQueueOverItsBoundDropsTheOldestAndCountsThem) {
  TiOPCItem& item = NewItem("G", "S", "I");
  item.ConnectItem();
  constexpr std::int64_t kTotal = 10000;
  link.StartCountedFeed({item.Handle()}, 0, kTotal);
  ASSERT_EQ(link.WaitFeed(), kTotal);
  RunQueued();
  constexpr auto kBound = static_cast<std::int64_t>(TiItemInbox::kCapacity);
  ASSERT_EQ(delivered.size(), TiItemInbox::kCapacity);
  EXPECT_EQ(item.DroppedValues(), static_cast<std::uint64_t>(kTotal - kBound));
  for (std::size_t i = 0; i < delivered.size(); ++i)
    ASSERT_EQ(delivered[i].ToDouble(), static_cast<double>(kTotal - kBound + 1 + static_cast<std::int64_t>(i))) << i;
}

// Serves the value and runs the owner's share.
void ServeAndRun(OPCItemTest& test, const TestLinkClient& link, const TiOPCItem& item, double value) {
  link.Serve(item.Handle(), value, 0xC0);
  while (test.RunQueuedNow() > 0) {
  }
}

TEST_F(OPCItemTest, AWriteInFlightHoldsBackOlderValuesUntilTheServerReportsIt) {
  TiOPCItem& item = NewItem("G", "S", "I");
  item.ConnectItem();
  ASSERT_TRUE(item.WriteValue(21.0));
  ASSERT_TRUE(item.WriteValue(22.0));  // a second key step before the first came back
  EXPECT_TRUE(item.WriteInFlight());
  for (double stale : {20.0, 21.0}) ServeAndRun(*this, link, item, stale);
  EXPECT_TRUE(delivered.empty()) << "values that predate the last write";
  EXPECT_EQ(item.LastValue(), TVariant(21.0)) << "still stored";
  ServeAndRun(*this, link, item, 22.0);
  ServeAndRun(*this, link, item, 23.0);
  EXPECT_EQ(delivered, (std::vector<TVariant>{TVariant(22.0), TVariant(23.0)}));
  EXPECT_FALSE(item.WriteInFlight());
  EXPECT_EQ(Calls().back(), "SignalSendData 1 Double 22");
  EXPECT_TRUE(problems.empty());
}

TEST_F(OPCItemTest, AWriteTheServerNeverReportsReleasesTheLastHeldValueAfterTheHoldTime) {
  for (const auto& [rate, hold] : {std::pair{0, 1000}, std::pair{250, 1000}, std::pair{500, 2000}}) {
    TiOPCItem probe;
    probe.SetUpdateRate(rate);
    EXPECT_EQ(probe.HoldMilliseconds(), hold) << rate;
  }
  TiOPCItem& item = NewItem("G", "S", "I");
  item.SetUpdateRate(0);
  item.ConnectItem();
  item.WriteValue(5.0);  // the server keeps its own value, say
  ServeAndRun(*this, link, item, 3.0);
  ServeAndRun(*this, link, item, 4.0);
  EXPECT_TRUE(delivered.empty());
  const auto start = std::chrono::steady_clock::now();
  while (delivered.empty() && std::chrono::steady_clock::now() - start < std::chrono::seconds(30))
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_EQ(delivered, std::vector<TVariant>{TVariant(4.0)});
  EXPECT_FALSE(item.WriteInFlight());
}

// A loaded machine: the value the server sent before a key step still
// waits for its display frame when the step is written, and the server's
// report of the write comes only after the hold time. The old value is
// applied neither at its frame nor when the hold time is up; the report is.
TEST_F(OPCItemTest, AValueReceivedBeforeAWriteIsNeverAppliedAfterItHoweverLateTheServerReports) {
  TiOPCItem& item = NewItem("G", "S", "I");
  item.SetUpdateRate(0);
  item.ConnectItem();
  link.Serve(item.Handle(), 20.0, 0xC0);  // its delivery waits for the frame
  ASSERT_TRUE(item.WriteValue(21.0));
  while (RunQueued() > 0) {
  }
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(item.HoldMilliseconds() + 500);
  while (std::chrono::steady_clock::now() < end) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_TRUE(delivered.empty()) << "applied " << delivered.front().ToString() << " after the write of 21";
  EXPECT_EQ(item.LastValue(), TVariant(20.0)) << "still stored as the server's last word";
  ServeAndRun(*this, link, item, 21.0);
  EXPECT_EQ(delivered, std::vector<TVariant>{TVariant(21.0)});
}

TEST_F(OPCItemTest, AWriteWhileTheItemIsInactiveIsRefusedReportedAndTheLastGoodValueRestored) {
  TiOPCItem& item = NewItem("G", "S", "I");
  item.ConnectItem();
  ServeAndRun(*this, link, item, 7.0);
  link.SetActive(item.Handle(), false);
  EXPECT_FALSE(item.WriteValue(9.0));
  EXPECT_EQ(problems, std::vector<std::string>{"write of 9 refused: the server is not connected"});
  EXPECT_EQ(item.Status(), problems[0]);
  RunQueued();
  EXPECT_EQ(restored, std::vector<TVariant>{TVariant(7.0)}) << "put back";
  EXPECT_EQ(delivered, std::vector<TVariant>{TVariant(7.0)}) << "not delivered as new data again";
  for (const std::string& call : Calls()) EXPECT_EQ(call.rfind("SignalSendData", 0), std::string::npos) << call;

  link.SetActive(item.Handle(), true);
  ServeAndRun(*this, link, item, 8.0);
  EXPECT_EQ(item.Problem(), "") << "good data clears it";
  EXPECT_EQ(item.ProblemCount(), 1u);
  link.SetStatus(item.Handle(), "write failed: BadTypeMismatch");
  EXPECT_EQ(item.Status(), "write failed: BadTypeMismatch") << "the library's word when the item has none";
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
