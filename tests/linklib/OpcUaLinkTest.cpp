// The OPC UA link library (build/app/libiOPC.so) against a real node-opcua
// server: values into bound instruments, writes from a user's drag, bad
// statuses, unknown nodes, the server going away and coming back, the
// helper process dying, and a fast stream into a readout.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "ChildProcesses.h"
#include "OpcUaTestServer.h"
#include "instruments/LCDMatrix.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/Slider.h"
#include "instruments/opc/OPCLibrary.h"
#include "linklib/opcua/ItemMapping.h"

namespace tintoral::test {
namespace {

using namespace std::chrono_literals;

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

TEST_F(OpcUaLinkTest, AStoppedOrFrozenServerMakesItemsInactiveAndValuesComeBackByThemselves) {
  OpcUaTestServer own;
  ASSERT_TRUE(own.Start());
  TiSevenSegmentAnalog readout(nullptr);
  TiOPCItem& item = Bind(readout, "Value", "Double", own);
  item.SetAutoError(true);
  own.Command("set Double 4.5");
  ASSERT_TRUE(WaitUntil([&] { return item.IsItemActive() && readout.Value() == 4.5; }, 30s));
  EXPECT_FALSE(readout.ErrorFlag());

  own.Stop();
  ASSERT_TRUE(WaitUntil([&] { return !item.IsItemActive() && item.LastQuality() == 0x18; }, 30s));
  EXPECT_EQ(readout.Value(), 4.5) << "the last value stays";
  EXPECT_TRUE(WaitUntil([&] { return readout.ErrorFlag(); }, 1s));

  ASSERT_TRUE(own.Start());
  own.Command("set Double 6.5");
  ASSERT_TRUE(WaitUntil([&] { return item.IsItemActive() && readout.Value() == 6.5; }, 60s)) << readout.Value();
  EXPECT_EQ(item.LastQuality(), 0xC0);
  EXPECT_FALSE(readout.ErrorFlag());

  own.Freeze(true);  // keeps the connection open but answers nothing
  EXPECT_TRUE(WaitUntil([&] { return !item.IsItemActive() && item.LastQuality() == 0x18; }, 30s));
  EXPECT_TRUE(WaitUntil([&] { return readout.ErrorFlag(); }, 1s));
  own.Freeze(false);
  EXPECT_TRUE(WaitUntil([&] { return item.IsItemActive() && item.LastQuality() == 0xC0; }, 30s))
      << "the unchanged value comes back good";
  EXPECT_TRUE(WaitUntil([&] { return !readout.ErrorFlag(); }, 1s));
  own.Command("set Double 7.5");
  EXPECT_TRUE(WaitUntil([&] { return item.IsItemActive() && readout.Value() == 7.5; }, 30s)) << readout.Value();
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
  EXPECT_TRUE(WaitUntil([&] { return readout.ErrorFlag(); }, 1s));
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
  EXPECT_TRUE(server_->WaitForLine("ramped", 1s));
  std::printf(
      "[ figures  ] %d values in %d s: %d shown, longest GUI gap %lld ms, helper RSS %ld -> %ld KiB, "
      "test RSS %ld -> %ld KiB\n",
      count, seconds, changes,
      static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(longestGap).count()), helperBefore,
      ResidentKiB(helper), ownBefore, ResidentKiB(getpid()));
}

}  // namespace
}  // namespace tintoral::test
