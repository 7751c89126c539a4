// The instrument base's input dispatch: the order of hooks and user events
// for every kind of input, error swallowing, and focus.
#include <gtest/gtest.h>

#include <stdexcept>

#include "InstrumentTestSupport.h"
#include "instruments/base/WindowStyles.h"
#include "platform/window/Button.h"
#include "platform/window/Form.h"

namespace tintoral::test {
namespace {

class InstrumentInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetBounds(0, 0, 200, 150);
    instrument = new TTestInstrument(&form);
    instrument->SetName("Gauge");
    instrument->SetBounds(10, 10, 60, 40);
    instrument->SetParent(&form);
    instrument->RecordUserEvents();
  }
  Log& log() { return instrument->log; }

  TForm form{nullptr};
  TTestInstrument* instrument = nullptr;
};

TEST_F(InstrumentInputTest, KeyDownFiresTheUserEventFirstAndSharesTheKeyVariable) {
  instrument->SetOnKeyDown([&](TObject*, std::uint16_t& key, TShiftState s) {
    instrument->Add("OnKeyDown " + std::to_string(key) + " " + ShiftText(s));
    key = 'B';
  });
  instrument->DispatchKeyDown('A', {ssShift});
  EXPECT_EQ(log(), (Log{"OnKeyDown 65 Shift", "HandleKeyDown 66 Shift"}));
}

TEST_F(InstrumentInputTest, AnOrdinaryKeyUpReachesTheHookTwiceFirstWithAnEmptyShiftState) {
  instrument->DispatchKeyUp('A', {ssCtrl});
  EXPECT_EQ(log(), (Log{"HandleKeyUp 65 -", "OnKeyUp 65 Ctrl", "HandleKeyUp 65 Ctrl"}));
}

TEST_F(InstrumentInputTest, AClaimedNavigationKeyUpEndsAfterThePreprocessingHook) {
  instrument->claimedKey = VK_LEFT;
  instrument->DispatchKeyUp(VK_LEFT, {ssShift});
  EXPECT_EQ(log(), (Log{"HandleWantSpecialKey 37", "HandleKeyUp 37 -"}));

  log().clear();
  instrument->DispatchKeyUp(VK_RIGHT, {ssShift});  // asked, not claimed: the release goes on
  EXPECT_EQ(log(), (Log{"HandleWantSpecialKey 39", "HandleKeyUp 39 -", "OnKeyUp 39 Shift", "HandleKeyUp 39 Shift"}));
}

TEST_F(InstrumentInputTest, CharactersFireOnKeyPressBeforeTheHook) {
  instrument->DispatchChar('x');
  EXPECT_EQ(log(), (Log{"OnKeyPress x", "HandleKeyPress x"}));
}

TEST_F(InstrumentInputTest, MouseDownCapturesForTheLeftButtonThenHookThenEvent) {
  instrument->DispatchMouseDown(mbLeft, {ssLeft}, 3, 4);
  instrument->DispatchMouseUp(mbLeft, {}, 3, 4);
  instrument->DispatchMouseDown(mbRight, {ssRight}, 5, 6);
  EXPECT_EQ(log(),
            (Log{"HandleMouseDown 0 Left 3,4 captured", "OnMouseDown 0 Left 3,4", "OnClick", "HandleMouseUp 0 - 3,4",
                 "OnMouseUp 0 - 3,4", "HandleMouseDown 1 Right 5,6", "OnMouseDown 1 Right 5,6"}));
}

TEST_F(InstrumentInputTest, ALeftReleaseOutsideTheControlFiresNoClick) {
  instrument->DispatchMouseDown(mbLeft, {ssLeft}, 3, 4);
  log().clear();
  instrument->DispatchMouseUp(mbLeft, {}, 80, 4);
  EXPECT_EQ(log(), (Log{"HandleMouseUp 0 - 80,4", "OnMouseUp 0 - 80,4"}));
}

TEST_F(InstrumentInputTest, MouseMoveRunsTheHookBeforeTheEvent) {
  instrument->DispatchMouseMove({ssLeft}, 7, 8);
  EXPECT_EQ(log(), (Log{"HandleMouseMove Left 7,8", "OnMouseMove Left 7,8"}));
}

TEST_F(InstrumentInputTest, DoubleClickOrder) {
  instrument->DispatchDoubleClick(mbLeft, {ssLeft}, 2, 3);
  EXPECT_EQ(log(), (Log{"HandleDoubleClick captured", "OnDblClick", "HandleMouseDown 0 Left+Double 2,3 captured",
                        "OnMouseDown 0 Left+Double 2,3"}));
  instrument->DispatchMouseUp(mbLeft, {}, 2, 3);
  log().clear();
  instrument->DispatchDoubleClick(mbRight, {ssRight}, 2, 3);  // no double-click hook for other buttons
  EXPECT_EQ(log(), (Log{"HandleMouseDown 1 Right+Double 2,3", "OnMouseDown 1 Right+Double 2,3"}));
}

TEST_F(InstrumentInputTest, TheWheelHooksAnswerIsTheHandledAnswer) {
  EXPECT_FALSE(instrument->DispatchMouseWheel(120, {}, {0, 0}));
  instrument->wheelAnswer = true;
  EXPECT_TRUE(instrument->DispatchMouseWheel(-240, {ssCtrl}, {0, 0}));
  EXPECT_EQ(log(), (Log{"HandleMouseWheel 120 -", "HandleMouseWheel -240 Ctrl"}));
}

TEST_F(InstrumentInputTest, EnterStaysWithTheFocusedInstrumentInsteadOfTheDefaultButton) {
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->SetDefault(true);
  bool clicked = false;
  button->SetOnClick([&](TObject*) { clicked = true; });
  instrument->SetFocus();
  log().clear();
  EXPECT_FALSE(instrument->DispatchKeyDown(VK_RETURN, {}));
  EXPECT_FALSE(clicked);
  EXPECT_EQ(log(), (Log{"HandleWantSpecialKey 13", "OnKeyDown 13 -", "HandleKeyDown 13 -"}));
}

TEST_F(InstrumentInputTest, ErrorsInButtonAndKeyHandlingAreSwallowedMovesAndOtherErrorsPassOn) {
  instrument->raiseIn = [](const std::string& hook) {
    if (hook.rfind("HandleMouseMove", 0) == 0 || hook.rfind("HandleMouseDown", 0) == 0 ||
        hook.rfind("HandleKey", 0) == 0)
      throw InvalidOperation("broken " + hook);
  };
  EXPECT_NO_THROW(instrument->DispatchMouseDown(mbLeft, {ssLeft}, 1, 1));
  EXPECT_NO_THROW(instrument->DispatchKeyDown('A', {}));
  EXPECT_NO_THROW(instrument->DispatchKeyUp('A', {}));
  EXPECT_NO_THROW(instrument->DispatchChar('a'));
  EXPECT_THROW(instrument->DispatchMouseMove({}, 1, 1), InvalidOperation);
  // The rest of a button message is dropped with the error.
  EXPECT_EQ(log(),
            (Log{"HandleMouseDown 0 Left 1,1 captured", "OnKeyDown 65 -", "HandleKeyDown 65 -", "HandleKeyUp 65 -",
                 "OnKeyUp 65 -", "HandleKeyUp 65 -", "OnKeyPress a", "HandleKeyPress a", "HandleMouseMove - 1,1"}));

  instrument->raiseIn = [](const std::string&) { throw std::runtime_error("not a library error"); };
  EXPECT_THROW(instrument->DispatchMouseDown(mbLeft, {ssLeft}, 1, 1), std::runtime_error);
}

TEST_F(InstrumentInputTest, AnErrorInOnClickStillLetsTheInstrumentSeeTheRelease) {
  instrument->SetOnClick([](TObject*) { throw InvalidOperation("click failed"); });
  instrument->DispatchMouseDown(mbLeft, {ssLeft}, 3, 4);
  log().clear();
  EXPECT_NO_THROW(instrument->DispatchMouseUp(mbLeft, {}, 3, 4));
  EXPECT_EQ(log(), (Log{"HandleMouseUp 0 - 3,4", "OnMouseUp 0 - 3,4"}));
}

TEST_F(InstrumentInputTest, FocusGainedAndLostRunTheHooksBeforeEnterAndExit) {
  auto* other = new TTestInstrument(&form);
  other->SetName("Other");
  other->SetParent(&form);
  instrument->SetFocus();
  EXPECT_TRUE(instrument->HasFocus());
  EXPECT_NE(ExtendedWindowStyle(*instrument) & WS_EX_CONTROLPARENT, 0u);
  EXPECT_NE(ExtendedWindowStyle(form) & WS_EX_CONTROLPARENT, 0u);
  EXPECT_EQ(ExtendedWindowStyle(*other), 0u);
  const int invalidationsBefore = instrument->invalidations;
  other->SetFocus();
  EXPECT_FALSE(instrument->HasFocus());
  EXPECT_GT(instrument->invalidations, invalidationsBefore);
  EXPECT_EQ(log(), (Log{"HandleFocusGained", "OnEnter", "HandleFocusLost", "HandleMouseUp 0 - 0,0", "OnExit"}));
}

TEST_F(InstrumentInputTest, FocusLeavingMidDragSendsALeftReleaseAtTheOrigin) {
  auto* other = new TTestInstrument(&form);
  other->SetParent(&form);
  instrument->SetFocus();
  instrument->DispatchMouseDown(mbLeft, {ssLeft}, 30, 20);
  instrument->DispatchMouseMove({ssLeft}, 35, 22);
  log().clear();
  other->SetFocus();
  EXPECT_EQ(log(), (Log{"HandleFocusLost", "HandleMouseUp 0 - 0,0 captured", "OnExit"}));
}

TEST_F(InstrumentInputTest, ErrorsWhileLosingTheFocusAreSwallowed) {
  auto* other = new TTestInstrument(&form);
  other->SetParent(&form);
  instrument->SetFocus();
  instrument->raiseIn = [](const std::string&) { throw InvalidOperation("drag end failed"); };
  EXPECT_NO_THROW(other->SetFocus());
  EXPECT_FALSE(instrument->HasFocus());
  EXPECT_TRUE(other->Focused());
}

}  // namespace
}  // namespace tintoral::test
