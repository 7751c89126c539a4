// A slider bound to the test link library: key steps at auto-repeat speed
// against a server whose reports come late, and writes while dragging.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instruments/Slider.h"
#include "platform/window/Form.h"
#include "platform/window/KeyCodes.h"
#include "platform/window/MainThreadQueue.h"
#include "tests/instruments/SliderTestSupport.h"
#include "tests/instruments/base/DataLinkTestSupport.h"

namespace tintoral {
namespace {

class SliderDataLink : public ::testing::Test {
 protected:
  SliderDataLink() {
    test::TestLink().Reset();
    form.SetBounds(0, 0, 300, 200);
    slider = new TiSlider(&form);
    slider->SetParent(&form);
    test::SetUpAsMainWindowSlider(*slider);
    item = &slider->OPCItemManager().Add();
    item->SetPropertyName("Position");
    item->SetServerName("Plant.Server");
    item->SetItemName("Setpoint");
    item->SetUpdateRate(100);
    item->ConnectItem();
  }
  ~SliderDataLink() override {
    TiComponent::SetClock(nullptr);
    slider->OPCItemManager().Clear();
    test::TestLink().Reset();
  }
  // A report a frame after the one before, so that the slider takes it in
  // the first pass.
  void ServerReports(double value) {
    test::LetAFramePass();
    test::TestLink().Serve(item->Handle(), value, 0xC0);
    RunMainThreadTasks();
  }
  std::vector<std::string> Written() const {
    std::vector<std::string> written;
    for (const std::string& call : test::TestLink().Calls())
      if (call.rfind("SignalSendData", 0) == 0) written.push_back(call.substr(call.rfind(' ') + 1));
    return written;
  }

  TForm form{nullptr};
  TiSlider* slider = nullptr;
  TiOPCItem* item = nullptr;
};

// At 25 steps a second the server's report of a write comes three steps
// later; each report predates the steps made since and must not undo them.
TEST_F(SliderDataLink, ThirtyKeyStepsAtAutoRepeatSpeedAllReachTheServerAndTheSliderEndsWhereTheUserLeftIt) {
  ServerReports(20);
  std::vector<std::string> expected;
  for (int step = 1; step <= 30; ++step) {
    slider->DispatchKeyDown(VK_UP, {});
    slider->DispatchKeyUp(VK_UP, {});
    expected.push_back(std::to_string(20 + step));
    if (step > 3) ServerReports(20 + step - 3);
    ASSERT_EQ(slider->Position(), 20 + step) << "after step " << step;
  }
  for (int late = 48; late <= 50; ++late) ServerReports(late);
  EXPECT_EQ(Written(), expected);
  EXPECT_EQ(slider->Position(), 50);
  EXPECT_FALSE(item->WriteInFlight());
}

TEST_F(SliderDataLink, DraggingWritesOnlyAtTheReleaseUnlessWriteWhileDraggingLimitsItToOneWritePerUpdatePeriod) {
  struct Case {
    bool whileDragging;
    std::size_t writes;  // moves every 30 ms, UpdateRate 100 ms: moves 1, 5 and 9, and the release
  };
  // One clock for the whole test, outliving every paint; reset at the end (and by the fixture).
  double nowMs = 1000;
  TiComponent::SetClock([&] { return nowMs / 86400000.0; });
  for (const Case c : {Case{false, 1}, Case{true, 4}}) {
    slider->SetPosition(0);
    test::TestLink().Reset();
    item->ConnectItem();
    slider->SetWriteWhileDragging(c.whileDragging);
    nowMs = 1000;
    slider->DispatchMouseDown(mbLeft, {ssLeft}, 40, 160);
    for (int move = 1; move <= 10; ++move) {
      nowMs += 30;
      slider->DispatchMouseMove({ssLeft}, 40, 160 - 3 * move);
    }
    slider->DispatchMouseUp(mbLeft, {}, 40, 130);
    const std::vector<std::string> written = Written();
    ASSERT_EQ(written.size(), c.writes) << c.whileDragging;
    EXPECT_EQ(std::stod(written.back()), slider->Position()) << "the release writes the last position";
  }
  TiComponent::SetClock(nullptr);
}

}  // namespace
}  // namespace tintoral
