// Values from the data link repaint an instrument on screen at most once
// per display frame, while every value is still stored and reported in
// order; a value that comes alone is applied in the first pass.
#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "DataLinkTestSupport.h"
#include "platform/window/Form.h"
#include "platform/window/MainThreadQueue.h"

namespace tintoral::test {
namespace {

using Clock = std::chrono::steady_clock;

class TCountedGauge : public TLinkedGauge {
 public:
  using TLinkedGauge::TLinkedGauge;
  int paints = 0;
  void PaintTo(TCanvas& canvas) override {
    ++paints;
    TLinkedGauge::PaintTo(canvas);
  }
};

// Runs events pass by pass, as a busy event loop does, until `done` or 20 s.
bool RunEventsUntil(const std::function<bool()>& done) {
  const Clock::time_point end = Clock::now() + std::chrono::seconds(20);
  while (!done() && Clock::now() < end) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return done();
}

TEST(DataLinkFramePacingTest, AThousandValuesASecondAllArriveButRepaintAtMostOncePerFrame) {
  ASSERT_TRUE(OPCLibraryAvailable());
  TestLink().Reset();
  TForm form(nullptr);
  form.SetBounds(0, 0, 120, 80);
  auto* gauge = new TCountedGauge(&form);
  gauge->SetParent(&form);
  gauge->SetPositionMax(1e9);
  form.Show();
  QApplication::processEvents();
  TiOPCItem& item = gauge->Bind("Position", "Tank.Level");
  std::vector<double> seen;
  gauge->SetOnNewOPCData([&](TObject*, int) { seen.push_back(item.LastValue().ToDouble()); });
  gauge->paints = 0;

  constexpr int kTotal = 1000;
  const Clock::time_point start = Clock::now();
  TestLink().StartCountedFeed({item.Handle()}, 1000, kTotal);
  EXPECT_TRUE(RunEventsUntil([&] { return gauge->shownPosition == kTotal; }));
  const auto frames = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count() / 16;
  EXPECT_EQ(TestLink().WaitFeed(), kTotal);
  ASSERT_EQ(seen.size(), static_cast<std::size_t>(kTotal)) << item.DroppedValues() << " dropped";
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()) && std::adjacent_find(seen.begin(), seen.end()) == seen.end());
  EXPECT_LE(gauge->paints, frames + 2) << "paints for " << kTotal << " values in " << frames << " frames";
  std::printf("[ figures  ] %d values: %d paints in %lld frames\n", kTotal, gauge->paints,
              static_cast<long long>(frames));

  // A value after a quiet frame is not held back.
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
  TestLink().Serve(item.Handle(), TVariant(5.0), 0xC0, 0);
  RunMainThreadTasks();
  EXPECT_EQ(gauge->Position(), 5.0);
  gauge->OPCItemManager().Clear();
  TestLink().Reset();
}

}  // namespace
}  // namespace tintoral::test
