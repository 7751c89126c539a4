// The data link on a panel that runs unattended: a storm of values that do
// not convert opens no window and nests no event loop, a burst of values
// reaches OnNewOPCData whole and in order, and ErrorMarking shows a raised
// ErrorFlag.
#include <gtest/gtest.h>

#include <QApplication>
#include <QThread>
#include <chrono>
#include <fstream>
#include <functional>
#include <thread>

#include "DataLinkTestSupport.h"
#include "instruments/opc/ErrorLog.h"
#include "platform/graphics/Bitmap.h"
#include "platform/window/Application.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define TINTORAL_SANITIZED 1
#else
#define TINTORAL_SANITIZED 0
#endif

namespace tintoral::test {
namespace {

using Clock = std::chrono::steady_clock;

// The process's resident memory in bytes.
long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * 4096;
}

class DataLinkLiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OPCLibraryAvailable());
    TestLink().Reset();
    Application().SetExceptionHandler([this](const std::string& message) { messages.push_back(message); });
    OPCErrorLog().SetSink([this](const std::string& line) { logLines.push_back(line); });
    gauge.SetName("Gauge");
    gauge.SetPositionMax(1e9);
    gauge.SetOnOPCError([this](TObject*, int, const std::string& message) {
      errors.push_back(message);
      maxLoopLevel = std::max(maxLoopLevel, QThread::currentThread()->loopLevel());
    });
  }
  void TearDown() override {
    TestLink().StopFeed();
    gauge.OPCItemManager().Clear();
    TestLink().Reset();
    OPCErrorLog().SetSink(nullptr);
    Application().SetExceptionHandler(nullptr);
  }
  // Runs the GUI thread's events until `done` or 20 s.
  static bool RunEventsUntil(const std::function<bool()>& done) {
    const Clock::time_point end = Clock::now() + std::chrono::seconds(20);
    while (!done() && Clock::now() < end) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
  }

  TLinkedGauge gauge{nullptr};
  std::vector<std::string> messages;  // errors that reached the application
  std::vector<std::string> errors;    // OnOPCError
  std::vector<std::string> logLines;
  int maxLoopLevel = 0;
};

TEST_F(DataLinkLiveTest, AThousandUnconvertibleValuesInOneSecondOpenNoWindowNestNoLoopAndKeepMemoryFlat) {
  TiOPCItem& item = gauge.Bind("Position", "Tank.Level");
  const int windowsBefore = static_cast<int>(QApplication::topLevelWidgets().size());
  const long residentBefore = ResidentBytes();
  const int loopLevelOutside = QThread::currentThread()->loopLevel();
  TestLink().StartCountedFeed({item.Handle()}, 1000, 1000, std::string("abc"));
  EXPECT_TRUE(RunEventsUntil([&] { return errors.size() + item.DroppedValues() >= 1000; }));
  EXPECT_EQ(TestLink().WaitFeed(), 1000);
  EXPECT_EQ(errors.size() + item.DroppedValues(), 1000u);
  EXPECT_EQ(errors.back(), "'abc' is not a valid floating point value");
  EXPECT_EQ(item.ProblemCount(), errors.size());
  EXPECT_EQ(maxLoopLevel, loopLevelOutside) << "an error handled inside a nested event loop";
  EXPECT_EQ(static_cast<int>(QApplication::topLevelWidgets().size()), windowsBefore);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(logLines, std::vector<std::string>{"Gauge.Position <- Plant.Server/Tank.Level: 'abc' is not a valid "
                                               "floating point value"})
      << "the first at once, the rest counted";
  // Bound: the queue holds at most 4,096 values and each item keeps one
  // problem text and one log record, whatever the number of bad values.
  if (!TINTORAL_SANITIZED) {
    EXPECT_LT(ResidentBytes() - residentBefore, 16L << 20);
  }
}

TEST_F(DataLinkLiveTest, ABurstOfTenThousandValuesReachesOnNewOPCDataInOrderOrAsCountedDrops) {
  TiOPCItem& item = gauge.Bind("Position", "Tank.Level");
  std::vector<double> seen;
  gauge.SetOnNewOPCData([&](TObject*, int) { seen.push_back(item.LastValue().ToDouble()); });
  constexpr std::int64_t kTotal = 10000;
  TestLink().StartCountedFeed({item.Handle()}, 0, kTotal);
  EXPECT_TRUE(RunEventsUntil([&] { return seen.size() + item.DroppedValues() >= kTotal; }));
  EXPECT_EQ(TestLink().WaitFeed(), kTotal);
  EXPECT_EQ(seen.size() + item.DroppedValues(), static_cast<std::size_t>(kTotal));
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()) && std::adjacent_find(seen.begin(), seen.end()) == seen.end());
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), static_cast<double>(kTotal));
  EXPECT_EQ(gauge.Position(), static_cast<double>(kTotal));
}

TEST_F(DataLinkLiveTest, ErrorMarkingDrawsAFrameAndHatchingOnlyWhileTheErrorFlagIsSet) {
  struct Case {
    bool marking, flag, marked;
  };
  const Case cases[] = {{false, false, false}, {false, true, false}, {true, false, false}, {true, true, true}};
  for (const Case& c : cases) {
    gauge.SetErrorMarking(c.marking);
    gauge.SetErrorFlag(c.flag);
    TBitmap picture;
    gauge.RenderTo(picture);
    // The frame (3 pixels at this size) and a hatching line (x + y = 32); not between lines.
    EXPECT_EQ(picture.Pixel(1, 10) == clRed, c.marked) << c.marking << c.flag;
    EXPECT_EQ(picture.Pixel(20, 12) == clRed, c.marked) << c.marking << c.flag;
    EXPECT_NE(picture.Pixel(21, 12), clRed);
  }
}

}  // namespace
}  // namespace tintoral::test
