// The OPC UA link library (build/app/libiOPC.so) against a real node-opcua
// server: values into bound instruments, writes from a user's drag, bad
// statuses, unknown nodes, the server going away and coming back, the
// helper process dying, a fast stream into a readout, and the designer's
// one reading of an item.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <numeric>
#include <thread>

#include "ChildProcesses.h"
#include "OpcUaTestServer.h"
#include "RecordingLink.h"
#include "instruments/LCDMatrix.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/Slider.h"
#include "instruments/opc/OPCLibrary.h"
#include "linklib/opcua/ItemMapping.h"
#include "tools/paneldesigner/ItemBrowsing.h"

namespace tintoral::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string ProgramDirectory() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  const std::string program(path, length > 0 ? static_cast<std::size_t>(length) : 0);
  return program.substr(0, program.rfind('/'));
}

// The file the data link loaded.
std::string LoadedLibraryFile() {
  Dl_info info{};
  const void* function = OPCLibrary().Function("SignalAdd");
  return function && dladdr(function, &info) && info.dli_fname ? info.dli_fname : "";
}

class OpcUaLinkTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!OpcUaSkipReason().empty()) return;
    server_ = new OpcUaTestServer;
    serverStarted_ = server_->Start();
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override {
    const std::string reason = OpcUaSkipReason();
    if (!reason.empty()) GTEST_SKIP() << reason;
    ASSERT_TRUE(OPCLibraryAvailable());
    ASSERT_EQ(LoadedLibraryFile(), ProgramDirectory() + "/libiOPC.so") << "the copy of the OPC UA link library";
    ASSERT_TRUE(serverStarted_) << "the test server did not start";
  }

  // Binds a property of an instrument to a variable of `server` and connects.
  static TiOPCItem& Bind(TiCustomComponent& instrument, const std::string& property, const std::string& variable,
                         OpcUaTestServer& server, int updateRate = 50) {
    TiOPCItem& item = instrument.OPCItemManager().Add();
    item.SetPropertyName(property);
    item.SetServerName(server.Endpoint());
    item.SetItemName("ns=1;s=" + variable);
    item.SetUpdateRate(updateRate);
    item.ConnectItem();
    return item;
  }

  static void Drag(TiSlider& slider, std::initializer_list<double> positions) {
    slider.SetUserChanging(true);
    for (const double position : positions) slider.SetPosition(position);
    slider.SetUserChanging(false);
    slider.DoPositionChangeFinished();
  }

  static OpcUaTestServer* server_;
  static bool serverStarted_;
};

OpcUaTestServer* OpcUaLinkTest::server_ = nullptr;
bool OpcUaLinkTest::serverStarted_ = false;

// The designer's "Test" of an item: the live value, or why none comes.
TEST_F(OpcUaLinkTest, TheDesignersReadingShowsTheValueOrWhyNoneCame) {
  server_->Command("set Double 42.5");
  TItemBinding live;
  live.serverName = server_->Endpoint();
  live.itemName = "ns=1;s=Double";
  const TItemReading reading(OPCLibrary(), live);
  ASSERT_TRUE(WaitUntil([&] { return reading.Value().has_value(); }, 30s)) << reading.Trouble();
  EXPECT_EQ(*reading.Value(), "42.5 (quality good)");

  TItemBinding dead = live;
  dead.serverName = "opc.tcp://127.0.0.1:1";  // nothing listens there
  const TItemReading none(OPCLibrary(), dead);
  EXPECT_TRUE(WaitUntil([&] { return none.Trouble().find("opc.tcp://127.0.0.1:1: ") != std::string::npos; }, 10s))
      << none.Trouble();
  EXPECT_FALSE(none.Value());
  TItemBinding refused = live;
  refused.serverName = "http://plant";
  EXPECT_EQ(TItemReading(OPCLibrary(), refused).Trouble(), "the link library took no link for it");
}

TEST_F(OpcUaLinkTest, ValuesOfSeveralTypesFlowIntoBoundInstruments) {
  TiSevenSegmentAnalog readout(nullptr);
  TiSlider slider(nullptr);
  TiLCDMatrix lcd(nullptr);
  TiOPCItem& number = Bind(readout, "Value", "Double", *server_);
  TiOPCItem& whole = Bind(slider, "Position", "Int32", *server_);
  TiOPCItem& wide = Bind(readout, "Precision", "UInt16", *server_);
  TiOPCItem& text = Bind(lcd, "Text", "String", *server_);
  ASSERT_TRUE(WaitUntil([&] { return number.IsItemActive() && whole.IsItemActive() && text.IsItemActive(); }, 30s));

  server_->Command("set Double 12.25");
  server_->Command("set Int32 7");
  server_->Command("set UInt16 3");
  server_->Command("set String Caf\xC3\xA9 20");
  EXPECT_TRUE(WaitUntil([&] { return readout.Value() == 12.25; }, 10s)) << readout.Value();
  EXPECT_TRUE(WaitUntil([&] { return slider.Position() == 7; }, 10s)) << slider.Position();
  EXPECT_TRUE(WaitUntil([&] { return readout.Precision() == 3; }, 10s)) << readout.Precision();
  EXPECT_TRUE(WaitUntil([&] { return lcd.Text() == "Caf\xE9 20"; }, 10s)) << lcd.Text();  // Windows-1252
  EXPECT_EQ(number.LastQuality(), 0xC0);
  EXPECT_EQ(wide.LastValue().Type(), TVarType::Integer) << "a UInt16 arrives as a 32-bit integer";
  const double day = opcua::DateTimeOfStamp(number.LastTimestamp());
  const double today = static_cast<double>(std::time(nullptr)) / 86400.0 + 25569.0;
  EXPECT_NEAR(day, today, 1.0 / 24) << "the source timestamp in days";
}

TEST_F(OpcUaLinkTest, AUserDragWritesOneValueInTheNodesTypeAndTheReplyIsNotEchoed) {
  TiSlider slider(nullptr);
  slider.SetPositionMax(1000);
  TiOPCItem& item = Bind(slider, "Position", "Int32", *server_);
  ASSERT_TRUE(WaitUntil([&] { return item.IsItemActive() && item.LastQuality() == 0xC0; }, 30s));
  const std::size_t before = server_->Lines("written Int32").size();

  Drag(slider, {30, 31, 32.6});
  ASSERT_TRUE(server_->WaitForLine("written Int32 33", 10s)) << "the value rounded to the node's Int32";
  EXPECT_TRUE(
      WaitUntil([&] { return item.LastValue().Type() == TVarType::Integer && item.LastValue().ToInt() == 33; }, 10s));
  WaitUntil([] { return false; }, 500ms);  // time for an echo, if there were one
  EXPECT_EQ(server_->Lines("written Int32").size(), before + 1);

  Drag(slider, {40});
  ASSERT_TRUE(server_->WaitForLine("written Int32 40", 10s));
  WaitUntil([] { return false; }, 500ms);
  EXPECT_EQ(server_->Lines("written Int32").size(), before + 2);
}

TEST_F(OpcUaLinkTest, AWriteThatDoesNotFitTheNodeBringsBackTheServersValue) {
  TiLCDMatrix lcd(nullptr);
  TiOPCItem& item = Bind(lcd, "Text", "Int32", *server_);
  server_->Command("set Int32 5");
  ASSERT_TRUE(WaitUntil([&] { return lcd.Text() == "5"; }, 30s));
  lcd.SetText("five");
  ASSERT_TRUE(lcd.DataLinkWrite("Text", std::string("five")));
  EXPECT_TRUE(WaitUntil([&] { return lcd.Text() == "5"; }, 10s)) << lcd.Text();
  EXPECT_EQ(item.LastQuality(), 0xC0);
  EXPECT_TRUE(server_->Lines("written Int32 five").empty());
}

TEST_F(OpcUaLinkTest, BadStatusSetsTheErrorFlagUnderAutoErrorAndAGoodOneClearsIt) {
  TiSevenSegmentAnalog readout(nullptr);
  TiOPCItem& item = Bind(readout, "Value", "Float", *server_);
  item.SetAutoError(true);
  server_->Command("set Float 2.5");
  ASSERT_TRUE(WaitUntil([&] { return readout.Value() == 2.5; }, 30s));
  EXPECT_FALSE(readout.ErrorFlag());

  server_->Command("status Float 808B0000");  // BadDeviceFailure
  ASSERT_TRUE(WaitUntil([&] { return readout.ErrorFlag(); }, 10s));
  EXPECT_EQ(item.LastQuality(), 0x0C);
  EXPECT_EQ(readout.Value(), 2.5);
  server_->Command("status Float 40940000");  // UncertainEngineeringUnitsExceeded
  EXPECT_TRUE(WaitUntil([&] { return item.LastQuality() == 0x54; }, 10s));
  server_->Command("set Float 3");
  EXPECT_TRUE(WaitUntil([&] { return !readout.ErrorFlag() && readout.Value() == 3; }, 10s));
}

TEST_F(OpcUaLinkTest, AnUnknownNodeIsInactiveWithBadQualityBesideWorkingOnes) {
  TiSevenSegmentAnalog readout(nullptr);
  TiOPCItem& missing = Bind(readout, "Value", "NoSuchVariable", *server_);
  TiOPCItem& present = Bind(readout, "Precision", "UInt16", *server_);
  ASSERT_TRUE(WaitUntil([&] { return present.IsItemActive() && missing.LastQuality() == 0x04; }, 30s));
  EXPECT_FALSE(missing.IsItemActive());
}

TEST_F(OpcUaLinkTest, AServerThatIsNotThereGivesBadQualityWithoutBlocking) {
  OpcUaTestServer absent;  // never started
  TiSevenSegmentAnalog readout(nullptr);
  TiOPCItem& item = Bind(readout, "Value", "Double", absent);
  EXPECT_TRUE(WaitUntil([&] { return item.LastQuality() == 0x08; }, 30s));
  EXPECT_FALSE(item.IsItemActive());
}

// The state of the connection to `endpoint` through the library's exported
// status functions (UNKNOWN when it holds none), with its text.
IOPCConnectionState ConnectionState(const std::string& endpoint, std::string* text = nullptr) {
  const auto count = reinterpret_cast<IOPCServerConnectionGetCount>(OPCLibrary().Function("ServerConnectionGetCount"));
  const auto name = reinterpret_cast<IOPCServerConnectionGetName>(OPCLibrary().Function("ServerConnectionGetName"));
  const auto state = reinterpret_cast<IOPCServerConnectionGetState>(OPCLibrary().Function("ServerConnectionGetState"));
  for (std::int32_t i = 0; i < count(); ++i) {
    char buffer[512];
    if (name(i, buffer, sizeof buffer) < 0 || buffer != endpoint) continue;
    std::int64_t since = 0;
    const auto found = static_cast<IOPCConnectionState>(state(i, &since, buffer, sizeof buffer));
    if (text != nullptr) *text = buffer;
    return found;
  }
  return IOPC_CONNECTION_UNKNOWN;
}

// The item's status through SignalGetStatus, in a buffer of `size` bytes;
// `length` gets the whole text's length.
std::string ItemStatus(const TiOPCItem& item, std::int32_t size = 512, std::int32_t* length = nullptr) {
  const auto status = reinterpret_cast<IOPCSignalGetStatus>(OPCLibrary().Function("SignalGetStatus"));
  std::vector<char> buffer(static_cast<std::size_t>(size));
  const std::int32_t whole = status(item.Handle(), buffer.data(), size);
  if (length != nullptr) *length = whole;
  return buffer.data();
}

// Waits for `condition` and prints how long it took after `since`.
void Measure(const char* what, Clock::time_point since, const std::function<bool()>& condition) {
  EXPECT_TRUE(WaitUntil(condition, 60s)) << what;
  std::printf(
      "[ figures  ] %s after %lld ms\n", what,
      static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count()));
}

TEST_F(OpcUaLinkTest, AStoppedOrFrozenServerMakesItemsInactiveAndValuesComeBackByThemselves) {
  OpcUaTestServer own;
  ASSERT_TRUE(own.Start());
  TiSevenSegmentAnalog readout(nullptr);
  TiOPCItem& item = Bind(readout, "Value", "Double", own);
  item.SetAutoError(true);
  own.Command("set Double 4.5");
  ASSERT_TRUE(WaitUntil([&] { return item.IsItemActive() && readout.Value() == 4.5; }, 30s));
  EXPECT_FALSE(readout.ErrorFlag());
  EXPECT_EQ(ConnectionState(own.Endpoint()), IOPC_CONNECTION_CONNECTED);

  own.Stop();
  Measure("stopped server: item inactive", Clock::now(),
          [&] { return !item.IsItemActive() && item.LastQuality() == 0x18; });
  EXPECT_EQ(readout.Value(), 4.5) << "the last value stays";
  EXPECT_TRUE(WaitUntil([&] { return readout.ErrorFlag(); }, 10s));
  std::string text;
  EXPECT_EQ(ConnectionState(own.Endpoint(), &text), IOPC_CONNECTION_LOST);
  EXPECT_EQ(text, "connection lost");
  EXPECT_EQ(ItemStatus(item), "connection lost: connection lost");
  item.SendItemData(TVariant(5.5));
  EXPECT_TRUE(WaitUntil([&] { return ItemStatus(item) == "write failed: not connected"; }, 10s)) << ItemStatus(item);
  std::int32_t length = 0;
  EXPECT_EQ(ItemStatus(item, 6, &length), "write") << "cut to fit";
  EXPECT_EQ(length, 27);

  ASSERT_TRUE(own.Start());
  Measure("restarted server: item active", Clock::now(), [&] { return item.IsItemActive(); });
  own.Command("set Double 6.5");
  ASSERT_TRUE(WaitUntil([&] { return item.IsItemActive() && readout.Value() == 6.5; }, 60s)) << readout.Value();
  EXPECT_EQ(item.LastQuality(), 0xC0);
  EXPECT_FALSE(readout.ErrorFlag());
  EXPECT_EQ(ConnectionState(own.Endpoint()), IOPC_CONNECTION_CONNECTED);
  EXPECT_EQ(ItemStatus(item), "write failed: not connected") << "a write that was lost stays reported";

  own.Freeze(true);  // keeps the connection open but answers nothing
  Measure("frozen server: item inactive", Clock::now(),
          [&] { return !item.IsItemActive() && item.LastQuality() == 0x18; });
  EXPECT_TRUE(WaitUntil([&] { return readout.ErrorFlag(); }, 10s));
  EXPECT_EQ(ConnectionState(own.Endpoint(), &text), IOPC_CONNECTION_LOST);
  EXPECT_EQ(text, "the server does not answer");
  own.Freeze(false);
  Measure("thawed server: value good again", Clock::now(),
          [&] { return item.IsItemActive() && item.LastQuality() == 0xC0; });
  EXPECT_TRUE(WaitUntil([&] { return !readout.ErrorFlag(); }, 10s));
  own.Command("set Double 7.5");
  EXPECT_TRUE(WaitUntil([&] { return item.IsItemActive() && readout.Value() == 7.5; }, 30s)) << readout.Value();
}

// A link destroyed while its server is frozen leaves no helper behind.
TEST_F(OpcUaLinkTest, ALinkEndedWhileItsServerIsFrozenLeavesNoHelper) {
  OpcUaTestServer own;
  ASSERT_TRUE(own.Start());
  {
    RecordingLink link;
    link.Add(own.Endpoint(), "Double");
    ASSERT_TRUE(WaitUntil([&] { return link.State(own.Endpoint()) == IOPC_CONNECTION_CONNECTED; }, 30s));
    own.Freeze(true);
  }
  EXPECT_TRUE(HelperPids().empty());
  own.Freeze(false);
}

// Writes that cannot be made: the item's status says why, and the server's
// value comes back to the item; a good write clears the status.
TEST_F(OpcUaLinkTest, WritesThatCannotBeMadeSayWhyAndBringBackTheServersValue) {
  RecordingLink link;
  struct Case {
    const char* variable;
    IOPCVariant value;
    const char* status;
  };
  const Case cases[] = {
      {"ReadOnly", {IOPC_VT_INT32, {.int32Value = 4}}, "write refused: BadNotWritable"},
      {"Int32", {IOPC_VT_TEXT, {.text = {"abc", 3}}}, "write refused: \"abc\" is not a Int32"},
      {"Int32", {IOPC_VT_DOUBLE, {.doubleValue = 3e12}}, "write refused: 3e+12 is out of the range of Int32"},
      {"Int32", {IOPC_VT_INT32, {.int32Value = 12}}, ""},
  };
  std::map<std::string, std::int32_t> handles;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    if (handles.count(c.variable) == 0) handles[c.variable] = link.Add(server_->Endpoint(), c.variable);
    const std::int32_t handle = handles[c.variable];
    ASSERT_TRUE(WaitUntil([&] { return link.Link().Active(handle) && !link.Deliveries(handle).empty(); }, 30s));
    const std::vector<Delivery> before = link.Deliveries(handle);
    link.Link().Send(handle, c.value);
    EXPECT_TRUE(WaitUntil([&] { return link.Deliveries(handle).size() > before.size(); }, 10s));
    if (*c.status == '\0') {
      EXPECT_TRUE(server_->WaitForLine("written Int32 12", 10s));
    } else {
      EXPECT_EQ(link.Deliveries(handle).back().value, before.back().value) << "the server's value again";
    }
    EXPECT_EQ(link.Link().Status(handle), c.status);
  }
}

// Thirty key steps at auto-repeat speed: every write reaches the server,
// in order.
TEST_F(OpcUaLinkTest, ThirtyKeyStepsAtAutoRepeatSpeedAllReachTheServerInOrder) {
  RecordingLink link;
  const std::int32_t handle = link.Add(server_->Endpoint(), "Int32");
  ASSERT_TRUE(WaitUntil([&] { return link.Link().Active(handle); }, 30s));
  const std::size_t before = server_->Lines("written Int32").size();
  std::vector<std::string> expected;
  for (int step = 1; step <= 30; ++step) {
    link.Link().Send(handle, IOPCVariant{IOPC_VT_INT32, {.int32Value = 100 + step}});
    expected.push_back("written Int32 " + std::to_string(100 + step));
    std::this_thread::sleep_for(40ms);
  }
  ASSERT_TRUE(server_->WaitForLine("written Int32 130", 10s));
  const std::vector<std::string> written = server_->Lines("written Int32");
  EXPECT_EQ(std::vector<std::string>(written.begin() + static_cast<std::ptrdiff_t>(before), written.end()), expected);
  EXPECT_EQ(link.Link().Status(handle), "");
}

TEST_F(OpcUaLinkTest, AHelperThatDiesIsReplacedAndItsItemsRecover) {
  TiSevenSegmentAnalog readout(nullptr);
  TiOPCItem& item = Bind(readout, "Value", "Double", *server_);
  server_->Command("set Double 8");
  ASSERT_TRUE(WaitUntil([&] { return item.IsItemActive() && readout.Value() == 8; }, 30s));
  const std::vector<pid_t> helpers = HelperPids();
  ASSERT_EQ(helpers.size(), 1u);

  item.SetAutoError(true);
  kill(helpers[0], SIGKILL);
  ASSERT_TRUE(WaitUntil([&] { return !item.IsItemActive() && item.LastQuality() == 0x18; }, 10s));
  EXPECT_TRUE(WaitUntil([&] { return readout.ErrorFlag(); }, 10s));
  server_->Command("set Double 9");
  EXPECT_TRUE(WaitUntil([&] { return item.IsItemActive() && readout.Value() == 9 && !readout.ErrorFlag(); }, 30s));
  EXPECT_NE(HelperPids(), helpers);
}

TEST_F(OpcUaLinkTest, TheHelperRunsOnlyWhileItemsAreConnected) {
  EXPECT_TRUE(WaitUntil([] { return HelperPids().empty(); }, 10s));
  {
    TiSevenSegmentAnalog readout(nullptr);
    TiOPCItem& item = Bind(readout, "Value", "Double", *server_);
    EXPECT_EQ(HelperPids().size(), 0u + WaitUntil([] { return HelperPids().size() == 1; }, 10s));
    item.DisconnectItem();
  }
  EXPECT_TRUE(WaitUntil([] { return HelperPids().empty(); }, 10s));
}

// A burst of distinct changes faster than the server publishes: every value
// reaches the instrument's new-data event, once each and in order.
TEST_F(OpcUaLinkTest, EveryValueOfABurstReachesTheNewDataEventInOrder) {
  constexpr int kCount = 600;
  TiSevenSegmentAnalog readout(nullptr);
  TiOPCItem& item = Bind(readout, "Value", "Float", *server_, 0);
  ASSERT_TRUE(WaitUntil([&] { return item.IsItemActive() && item.HasData(); }, 30s));
  std::vector<int> seen;
  readout.SetOnNewOPCData([&](TObject*, int) { seen.push_back(static_cast<int>(item.LastValue().ToDouble())); });

  server_->Command("ramp Float " + std::to_string(kCount) + " 2000");
  ASSERT_TRUE(server_->WaitForLine("ramped " + std::to_string(kCount), 30s));
  EXPECT_TRUE(WaitUntil([&] { return !seen.empty() && seen.back() == kCount; }, 10s));
  std::vector<int> expected(kCount);
  std::iota(expected.begin(), expected.end(), 1);
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(item.DroppedValues(), 0u);
}

// 1,000 changes a second into a readout: it ends on the last value and the
// GUI thread keeps running its events. TINTORAL_OPCUA_LOAD_SECONDS sets the
// length (2 s by default; 10 for the full run).
TEST_F(OpcUaLinkTest, AThousandChangesASecondEndOnTheLastValue) {
  const char* secondsText = std::getenv("TINTORAL_OPCUA_LOAD_SECONDS");
  const int seconds = std::max(1, secondsText ? std::atoi(secondsText) : 2);
  const int count = 1000 * seconds;
  TiSevenSegmentAnalog readout(nullptr);
  readout.SetPrecision(0);
  TiOPCItem& item = Bind(readout, "Value", "Double", *server_, 0);
  ASSERT_TRUE(WaitUntil([&] { return item.IsItemActive(); }, 30s));
  ASSERT_EQ(HelperPids().size(), 1u);
  const pid_t helper = HelperPids()[0];
  const long helperBefore = ResidentKiB(helper);
  const long ownBefore = ResidentKiB(getpid());

  server_->Command("ramp Double " + std::to_string(count) + " 1000");
  int changes = 0;
  double shown = -1;
  auto longestGap = std::chrono::steady_clock::duration::zero();
  auto last = std::chrono::steady_clock::now();
  const bool ended = WaitUntil(
      [&] {
        const auto now = std::chrono::steady_clock::now();
        longestGap = std::max(longestGap, now - last);
        last = now;
        if (readout.Value() != shown) {
          shown = readout.Value();
          ++changes;
          readout.PaintBufferNow(false);
        }
        return shown == count;
      },
      std::chrono::seconds(seconds + 30));
  EXPECT_TRUE(ended) << "shows " << shown;
  EXPECT_TRUE(server_->WaitForLine("ramped", 10s));
  std::printf(
      "[ figures  ] %d values in %d s: %d shown, longest GUI gap %lld ms, helper RSS %ld -> %ld KiB, "
      "test RSS %ld -> %ld KiB\n",
      count, seconds, changes,
      static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(longestGap).count()), helperBefore,
      ResidentKiB(helper), ownBefore, ResidentKiB(getpid()));
}

}  // namespace
}  // namespace tintoral::test
