// The data link across threads: the test link library's feeder thread sends
// thousands of values a second into three bound instruments while the GUI
// thread drags one of them and repaints all three; then the items are
// destroyed while the feed goes on. Built under ThreadSanitizer by CI.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <memory>
#include <thread>

#include "DataLinkTestSupport.h"
#include "platform/window/Application.h"

namespace tintoral::test {
namespace {

using Clock = std::chrono::steady_clock;

class DataLinkThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OPCLibraryAvailable());
    TestLink().Reset();
    Application().SetExceptionHandler([this](const std::string& message) { messages.push_back(message); });
    for (const char* itemName : {"Line1.Speed", "Line2.Speed", "Line3.Speed"}) {
      auto gauge = std::make_unique<TLinkedGauge>(nullptr);
      gauge->SetPositionMax(1e9);
      handles.push_back(gauge->Bind("Position", itemName).Handle());
      gauges.push_back(std::move(gauge));
    }
  }
  void TearDown() override {
    TestLink().StopFeed();
    gauges.clear();
    TestLink().Reset();
    Application().SetExceptionHandler(nullptr);
  }

  // The GUI thread at work for a while: events, a drag of the first gauge
  // (a user gesture sending its position), repaints.
  void Work(Clock::duration duration, bool drag) {
    const Clock::time_point end = Clock::now() + duration;
    for (int step = 0; Clock::now() < end; ++step) {
      QCoreApplication::processEvents();
      if (drag) Drag(*gauges[0], step);
      for (auto& gauge : gauges) gauge->PaintBufferNow(false);
    }
  }
  static void Drag(TLinkedGauge& gauge, int step) {
    gauge.SetUserChanging(true);
    gauge.SetPosition(step % 1000);
    gauge.SetUserChanging(false);
    gauge.DoPositionChangeFinished();
  }
  // Events until every gauge shows the last value fed to it.
  bool ShowsLastValues() {
    const Clock::time_point end = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < end) {
      QCoreApplication::processEvents();
      bool all = true;
      for (std::size_t i = 0; i < gauges.size(); ++i) {
        gauges[i]->PaintBufferNow(false);
        all = all && gauges[i]->shownPosition == TestLink().LastFed(handles[i]);
      }
      if (all) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }

  std::vector<std::unique_ptr<TLinkedGauge>> gauges;
  std::vector<std::int32_t> handles;
  std::vector<std::string> messages;
};

TEST_F(DataLinkThreadTest, AFastFeedWhileTheUserDragsEndsWithTheLastValuesShown) {
  TestLink().StartFeed(handles, 6000);
  Work(std::chrono::milliseconds(2500), true);
  Work(std::chrono::milliseconds(200), false);  // the feed's last word comes after the last drag
  const std::int64_t fed = TestLink().StopFeed();
  EXPECT_GT(fed, 3000);
  EXPECT_TRUE(ShowsLastValues());
  for (std::size_t i = 0; i < gauges.size(); ++i) EXPECT_GT(gauges[i]->shownPosition, 1000.0) << i;
  EXPECT_TRUE(messages.empty());
}

TEST_F(DataLinkThreadTest, ItemsDestroyedInTheMiddleOfAFeedAreNeverTouched) {
  TestLink().StartFeed(handles, 0);  // as fast as it can
  Work(std::chrono::milliseconds(300), false);
  gauges[0]->OPCItemManager().Clear();  // one item alone,
  Work(std::chrono::milliseconds(100), false);
  gauges.erase(gauges.begin() + 1);  // one with its instrument,
  Work(std::chrono::milliseconds(100), false);
  gauges.clear();  // and the rest, with deliveries on their way
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(200);
  while (Clock::now() < end) QCoreApplication::processEvents();
  EXPECT_GT(TestLink().StopFeed(), 0);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace tintoral::test
