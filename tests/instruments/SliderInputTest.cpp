// The slider's input through the base's dispatch: the order of the position
// events for drags, presses, keys, the wheel and the loss of focus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/window/Form.h"
#include "platform/window/KeyCodes.h"
#include "runtime/Exception.h"
#include "tests/instruments/SliderTestSupport.h"
#include "tests/instruments/base/InstrumentTestSupport.h"

namespace tintoral {
namespace {

using Log = std::vector<std::string>;
using test::SetUpAsMainWindowSlider;
using test::SliderPicture;

class SliderInput : public ::testing::Test {
 protected:
  SliderInput() {
    form.SetBounds(0, 0, 300, 200);
    slider = new TiSlider(&form);
    slider->SetParent(&form);
    SetUpAsMainWindowSlider(*slider);
    other = new TiSlider(&form);
    other->SetParent(&form);
    other->SetLeft(100);
    events.Record(*slider);
    slider->SetFocus();
  }
  void Press(int x, int y, TMouseButton button = mbLeft) { slider->DispatchMouseDown(button, {ssLeft}, x, y); }
  void Move(int x, int y) { slider->DispatchMouseMove({ssLeft}, x, y); }
  void Release(int x, int y, TMouseButton button = mbLeft) { slider->DispatchMouseUp(button, {}, x, y); }
  void Key(std::uint16_t key) {
    slider->DispatchKeyDown(key, {});
    slider->DispatchKeyUp(key, {});
  }
  // Starts at `position` with no gesture pending and the pointer painted.
  void StartAt(double position) {
    slider->SetPosition(position);
    SliderPicture{*slider};
    events.Take();
  }

  TForm form{nullptr};
  TiSlider* slider = nullptr;
  TiSlider* other = nullptr;
  test::PositionEvents events;
};

TEST_F(SliderInput, ADragAcrossTheWholeRangeIsRelativeToThePress) {
  other->SetFocus();
  Press(40, 160);  // far from the pointer: nothing moves
  EXPECT_TRUE(slider->Focused());
  EXPECT_TRUE(slider->MouseDragging());
  Move(40, 109);  // 51 of 153 pixels up
  Move(40, 7);    // 153 pixels up: the full range
  Move(40, -40);  // beyond the end: clamped, nothing fires
  Release(40, -40);
  EXPECT_EQ(events.Take(), (Log{"Change 33.3333", "User 33.3333", "Change 100", "User 100", "Finished 100"}));
  EXPECT_FALSE(slider->UserChanging());
}

TEST_F(SliderInput, ADragPastTheLowerEndStopsThere) {
  StartAt(50);
  Press(10, 89);
  Move(10, 300);
  Move(10, 400);
  Release(10, 400);
  EXPECT_EQ(events.Take(), (Log{"Change 0", "User 0", "Finished 0"}));
}

TEST_F(SliderInput, ReverseScaleMirrorsTheDrag) {
  slider->SetReverseScale(true);
  StartAt(50);
  Press(10, 50);
  Move(10, 50 + 51);
  EXPECT_NEAR(slider->Position(), 50 + 100.0 / 3, 1e-12);
}

TEST_F(SliderInput, AGotoPressJumpsThenDragsAbsolutely) {
  slider->SetMouseControlStyle(ismcsGoto);
  Press(40, 165 - 51);
  Move(40, 12);
  Move(40, 0);
  Release(40, 0);
  EXPECT_EQ(events.Take(), (Log{"Change 33.3333", "User 33.3333", "Change 100", "User 100", "Finished 100"}));
}

TEST_F(SliderInput, PageStepsAboveAndBelowThePointerAndNothingBesideIt) {
  slider->SetMouseControlStyle(ismcsSlidePage);
  StartAt(50);  // pointer (4, 84, 19, 94)
  Press(10, 30);
  Release(10, 30);
  EXPECT_EQ(events.Take(), (Log{"Change 60", "User 60"}));  // no drag: no finish
  Press(19, 150);                                           // right edge of the pointer's columns still counts
  Release(19, 150);
  EXPECT_EQ(events.Take(), (Log{"Change 50", "User 50"}));

  other->SetFocus();
  slider->BeginUpdate();
  Press(20, 30);  // beside the pointer's columns
  EXPECT_TRUE(slider->Focused());
  EXPECT_FALSE(slider->RepaintPending());
  EXPECT_FALSE(slider->MouseDragging());
  slider->EndUpdate();
  Release(20, 30);

  Press(10, 90);  // on the pointer: an absolute drag
  Move(10, 12);
  Release(10, 12);
  EXPECT_EQ(events.Take(), (Log{"Change 100", "User 100", "Finished 100"}));
}

// The pointer is hit where the size and properties put it, painted or not.
TEST_F(SliderInput, APressFindsThePointerWithoutAPaintAndAfterAResize) {
  slider->SetMouseControlStyle(ismcsSlidePage);
  slider->SetPosition(50);  // pointer (4, 84, 19, 94), never painted
  events.Take();
  Press(10, 90);
  EXPECT_TRUE(slider->MouseDragging());
  Release(10, 90);
  Press(10, 30);
  Release(10, 30);
  EXPECT_EQ(events.Take(), (Log{"Change 60", "User 60"}));

  StartAt(50);
  slider->SetBounds(0, 0, 65, 377);  // pointer now (4, 184, 19, 194), not painted there
  Press(10, 90);
  EXPECT_FALSE(slider->MouseDragging());
  Release(10, 90);
  EXPECT_EQ(events.Take(), (Log{"Change 60", "User 60"}));
}

TEST_F(SliderInput, APageStepBeforeThePointerFollowsOrientationAndReverseScale) {
  slider->SetMouseControlStyle(ismcsSlidePage);
  const struct {
    TiOrientation orientation;
    bool reverse;
    double after;
  } cases[] = {{ioVertical, false, 60}, {ioVertical, true, 40}, {ioHorizontal, false, 40}, {ioHorizontal, true, 60}};
  for (const auto& c : cases) {
    slider->SetOrientation(c.orientation);
    slider->SetReverseScale(c.reverse);
    StartAt(50);
    if (c.orientation == ioVertical) Press(10, 30);  // above the pointer
    else Press(30, 10);                              // left of it
    Release(0, 0);
    EXPECT_EQ(slider->Position(), c.after) << c.orientation << c.reverse;
  }
}

TEST_F(SliderInput, KeysStepAndTheReleaseFinishes) {
  StartAt(50);
  Key(VK_UP);
  Key(VK_LEFT);
  Key(VK_PRIOR);
  Key(VK_NEXT);
  Key(VK_RIGHT);
  EXPECT_EQ(events.Take(),
            (Log{"Change 51", "User 51", "Finished 51", "Change 50", "User 50", "Finished 50", "Change 60", "User 60",
                 "Finished 60", "Change 50", "User 50", "Finished 50", "Change 51", "User 51", "Finished 51"}));
  slider->SetReverseScale(true);  // keys keep their direction
  slider->SetOrientation(ioHorizontal);
  Key(VK_DOWN);
  EXPECT_EQ(events.Take(), (Log{"Change 50", "User 50", "Finished 50"}));
}

TEST_F(SliderInput, HomeAndEndAtTheEnds) {
  Key(VK_HOME);  // at the minimum already
  Key(VK_DOWN);
  EXPECT_EQ(events.Take(), Log{});
  Key(VK_END);
  Key(VK_END);
  Key(VK_UP);
  EXPECT_EQ(events.Take(), (Log{"Change 100", "User 100", "Finished 100"}));
}

TEST_F(SliderInput, AKeyZeroedByItsHandlerMakesNoStepButStillLightsTheLed) {
  slider->SetOnKeyDown([](TObject*, std::uint16_t& key, TShiftState) { key = 0; });
  slider->DispatchKeyDown(VK_UP, {});
  EXPECT_TRUE(slider->KeyboardActive());
  slider->DispatchKeyUp(VK_UP, {});
  EXPECT_FALSE(slider->KeyboardActive());
  EXPECT_EQ(events.Take(), Log{});
}

TEST_F(SliderInput, AKeyReleaseFinishesAChangeLeftByAPageStep) {
  slider->SetMouseControlStyle(ismcsSlidePage);
  StartAt(50);
  Press(10, 30);
  Release(10, 30);
  Key('A');
  EXPECT_EQ(events.Take(), (Log{"Change 60", "User 60", "Finished 60"}));
}

TEST_F(SliderInput, TheSliderClaimsTheFourArrowKeysOnly) {
  for (std::uint16_t key : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_TAB, VK_HOME, VK_PRIOR, VK_RETURN}) {
    std::int32_t answer = 7;
    slider->HandleWantSpecialKey(key, answer);
    EXPECT_EQ(answer, key >= VK_LEFT && key <= VK_DOWN ? 1 : 0) << key;
  }
}

TEST_F(SliderInput, TheWheelStepsOncePerNotificationAtMostEvery30Ms) {
  test::FakeClock clock(46000.5);
  StartAt(50);
  EXPECT_FALSE(slider->DispatchMouseWheel(120, {}, {0, 0}));
  clock.AdvanceSeconds(0.010);
  slider->DispatchMouseWheel(120, {}, {0, 0});  // 10 ms later: dropped
  clock.AdvanceSeconds(0.025);
  slider->DispatchMouseWheel(-360, {}, {0, 0});  // three notches' worth: one step
  clock.AdvanceSeconds(0.040);
  slider->DispatchMouseWheel(0, {}, {0, 0});  // no direction: no step
  EXPECT_EQ(events.Take(), (Log{"Change 51", "User 51", "Finished 51", "Change 50", "User 50", "Finished 50"}));
}

TEST_F(SliderInput, LosingTheFocusMidDragEndsIt) {
  Press(40, 100);
  Move(40, 90);
  other->SetFocus();
  EXPECT_FALSE(slider->MouseDragging());
  Move(40, 10);
  EXPECT_EQ(events.Take(), (Log{"Change 6.53595", "User 6.53595", "Finished 6.53595"}));
}

TEST_F(SliderInput, ARightReleaseDuringALeftDragEndsItAndARightPressDoesNothing) {
  Press(40, 100);
  Move(40, 90);
  Release(40, 90, mbRight);
  Move(40, 10);
  EXPECT_EQ(events.Take(), (Log{"Change 6.53595", "User 6.53595", "Finished 6.53595"}));

  other->SetFocus();
  Press(40, 100, mbRight);
  Move(40, 10);
  EXPECT_FALSE(slider->Focused());
  EXPECT_EQ(events.Take(), Log{});
}

TEST_F(SliderInput, UserChangingIsClearedWhenAHandlerRaises) {
  slider->SetOnPositionChange([](TObject*) { throw InvalidOperation("handler failed"); });
  Key(VK_UP);  // swallowed by the base
  EXPECT_FALSE(slider->UserChanging());
  Press(40, 100);
  EXPECT_THROW(Move(40, 50), InvalidOperation);  // moves pass errors on
  EXPECT_FALSE(slider->UserChanging());
  EXPECT_THROW(slider->DispatchMouseWheel(120, {}, {0, 0}), InvalidOperation);
  EXPECT_FALSE(slider->UserChanging());
}

TEST_F(SliderInput, ASliderWithoutTravelIgnoresPressesAndDrags) {
  slider->SetHeight(20);
  slider->SetPosition(30);
  events.Take();
  for (auto style : {ismcsSlideOnly, ismcsGoto}) {
    slider->SetMouseControlStyle(style);
    Press(10, 5);
    Move(10, -100);
    Release(10, -100);
  }
  EXPECT_EQ(slider->Position(), 30);
  EXPECT_EQ(events.Take(), Log{});
}

}  // namespace
}  // namespace tintoral
