// Input translation at the Qt bridge: virtual keys, characters, shift
// states, mouse coordinates and capture, wheel steps, and the key routing
// between a focused control and its form.
#include <gtest/gtest.h>

#include <QTest>
#include <QWheelEvent>

#include "WindowTestSupport.h"
#include "platform/window/Application.h"

namespace tintoral::test {
namespace {

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().SetExceptionHandler([this](const std::string& m) { errors.push_back(m); });
    form.SetClientSize(200, 150);
    a = Add("A", 10, 10);
    b = Add("B", 100, 10);
    form.Show();
    a->SetFocus();
    log.clear();
  }
  void TearDown() override { Application().SetExceptionHandler(nullptr); }

  TRecorder* Add(const std::string& name, int left, int top) {
    auto* r = new TRecorder(&form, log, name);
    r->SetName(name);
    r->SetBounds(left, top, 50, 40);
    r->SetTabStop(true);
    r->SetParent(&form);
    return r;
  }
  void Mouse(TWinControl* c, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPointF at,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, at, c->Widget()->mapToGlobal(at), button, held, modifiers);
    QCoreApplication::sendEvent(c->Widget(), &event);
  }
  void Wheel(TWinControl* c, int angle) {
    QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(c->Widget(), &event);
  }

  Log log;
  std::vector<std::string> errors;
  TForm form{nullptr};
  TRecorder* a = nullptr;
  TRecorder* b = nullptr;
};

TEST_F(InputTest, KeysReachTheFocusedControlAsVirtualKeysWithShiftState) {
  QWidget* elsewhere = b->Widget();  // keys go to the focused control whichever window Qt picked
  PressKey(elsewhere, Qt::Key_PageUp);
  PressKey(elsewhere, Qt::Key_A, Qt::ShiftModifier, "A");
  SendKey(elsewhere, QEvent::KeyPress, Qt::Key_F5, Qt::ControlModifier | Qt::AltModifier);
  SendKey(elsewhere, QEvent::KeyPress, Qt::Key_7, Qt::KeypadModifier, "7");
  SendKey(elsewhere, QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, "!");
  EXPECT_EQ(log, (Log{"A: keydown 33 -", "A: prekeyup 33", "A: keyup 33 -", "A: keydown 65 Shift", "A: char 65",
                      "A: prekeyup 65", "A: keyup 65 Shift", "A: keydown 116 Alt+Ctrl", "A: keydown 103 -",
                      "A: char 55", "A: keydown 49 Shift", "A: char 33"}));
}

TEST_F(InputTest, CharactersArriveAsWindows1252BytesOnePerByte) {
  SendKey(a->Widget(), QEvent::KeyPress, Qt::Key_Ntilde, Qt::NoModifier, QString::fromUtf8("ñ"));
  SendKey(a->Widget(), QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("€ó"));
  SendKey(a->Widget(), QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("中"));  // no byte: nothing
  SendKey(a->Widget(), QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
  EXPECT_EQ(log, (Log{"A: keydown 192 -", "A: char 241", "A: char 128", "A: char 243", "A: keydown 46 -"}));
}

TEST_F(InputTest, HeldKeyRepeatsItsKeyDownAndReleasesOnce) {
  SendKey(a->Widget(), QEvent::KeyPress, Qt::Key_Down);
  SendKey(a->Widget(), QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, {}, true);
  SendKey(a->Widget(), QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, {}, true);
  SendKey(a->Widget(), QEvent::KeyRelease, Qt::Key_Down);
  EXPECT_EQ(log, (Log{"A: keydown 40 -", "A: keydown 40 -", "A: prekeyup 40", "A: keyup 40 -"}));
}

TEST_F(InputTest, KeyUpPreprocessingCanEndTheRelease) {
  a->endKeyUp = true;
  PressKey(a->Widget(), Qt::Key_Space, Qt::NoModifier, " ");
  EXPECT_EQ(log, (Log{"A: keydown 32 -", "A: char 32", "A: prekeyup 32"}));
}

TEST_F(InputTest, ArrowsClaimedBySpecialKeyQueryEndTheirReleaseEarly) {
  PressKey(a->Widget(), Qt::Key_Left);  // unclaimed: the form does not use arrows, the control gets them
  a->wantSpecial = 1;
  PressKey(a->Widget(), Qt::Key_Left);
  EXPECT_EQ(log, (Log{"A: keydown 37 -", "A: prekeyup 37", "A: keyup 37 -", "A: keydown 37 -", "A: prekeyup 37"}));
  EXPECT_TRUE(a->Focused());
}

TEST_F(InputTest, TabMovesTheFocusUnlessTheControlKeepsIt) {
  PressKey(a->Widget(), Qt::Key_Tab, Qt::NoModifier, "\t");
  EXPECT_TRUE(b->Focused());
  PressKey(b->Widget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(a->Focused());
  // Neither Tab's key-down nor its character reached a control; the releases did.
  EXPECT_EQ(log, (Log{"A: lost to B", "B: gained from A", "B: prekeyup 9", "B: keyup 9 -", "B: lost to A",
                      "A: gained from B", "A: prekeyup 9", "A: keyup 9 Shift"}));
  log.clear();
  a->dialogCode = DLGC_WANTTAB;
  PressKey(a->Widget(), Qt::Key_Tab, Qt::NoModifier, "\t");
  EXPECT_TRUE(a->Focused());
  EXPECT_EQ(log, (Log{"A: keydown 9 -", "A: char 9", "A: prekeyup 9", "A: keyup 9 -"}));
}

TEST_F(InputTest, EnterAndEscapePressTheDefaultAndCancelButtonsUnlessTheControlWantsAllKeys) {
  auto* ok = new TTestButton(&form);
  ok->isDefault = true;
  ok->SetParent(&form);
  auto* cancel = new TTestButton(&form);
  cancel->isCancel = true;
  cancel->SetParent(&form);
  PressKey(a->Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
  PressKey(a->Widget(), Qt::Key_Escape, Qt::NoModifier, "\x1b");
  EXPECT_EQ(ok->clicks, 1);
  EXPECT_EQ(cancel->clicks, 1);
  EXPECT_EQ(log, (Log{"A: prekeyup 13", "A: keyup 13 -", "A: prekeyup 27", "A: keyup 27 -"}));

  log.clear();
  a->dialogCode = DLGC_WANTALLKEYS;
  PressKey(a->Widget(), Qt::Key_Enter, Qt::KeypadModifier, "\r");
  EXPECT_EQ(ok->clicks, 1);
  EXPECT_EQ(log, (Log{"A: keydown 13 -", "A: char 13", "A: prekeyup 13", "A: keyup 13 -"}));
}

TEST_F(InputTest, MouseButtonsGiveClientCoordinatesShiftStatesAndClicks) {
  Mouse(a, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {5.7, 6.2}, Qt::ShiftModifier);
  Mouse(a, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {7, 8});
  Mouse(a, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {7, 8});
  Mouse(a, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton | Qt::MiddleButton, {1, 2});
  Mouse(a, QEvent::MouseButtonRelease, Qt::RightButton, Qt::MiddleButton, {1, 2});
  Mouse(a, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {3, 3});
  Mouse(a, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {-3, 50});  // outside: no click
  EXPECT_EQ(log, (Log{"A: down 0 Shift+Left 5,6", "A: move Left 7,8", "A: click", "A: up 0 - 7,8",
                      "A: down 1 Right+Middle 1,2", "A: up 1 Middle 1,2", "A: down 0 Left 3,3", "A: up 0 - -3,50"}));
}

TEST_F(InputTest, DoubleClickFiresDblClickThenAPressMarkedDouble) {
  Mouse(a, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {4, 4});
  Mouse(a, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {4, 4});
  Mouse(a, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {4, 4});
  Mouse(a, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {4, 4});
  EXPECT_EQ(log, (Log{"A: down 0 Left 4,4", "A: click", "A: up 0 - 4,4", "A: dblclick", "A: down 0 Left+Double 4,4",
                      "A: up 0 - 4,4"}));
}

TEST_F(InputTest, ThePressedControlCapturesMovesAndTheReleaseOutsideIt) {
  // Through the window system, as a real mouse: press on A, drag over B, release there.
  QWindow* window = form.Widget()->windowHandle();
  ASSERT_NE(window, nullptr);
  QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
  QTest::mouseMove(window, QPoint(120, 30));
  QTest::mouseMove(window, QPoint(5, 160));
  QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(120, 30));
  // (QTest moves the mouse to each press and release point first.)
  EXPECT_EQ(log, (Log{"A: move - 10,10", "A: down 0 Left 10,10", "A: move Left 110,20", "A: move Left -5,150",
                      "A: move Left 110,20", "A: up 0 - 110,20"}));
}

TEST_F(InputTest, WheelStepsAddUpToWholeNotchesPerControl) {
  for (int i = 0; i < 5; ++i) Wheel(a, 40);  // a touchpad: 120 after three steps
  Wheel(b, 80);                              // sums are kept per control
  Wheel(a, -360);                            // three notches at once are one delta
  Wheel(a, -100);
  Wheel(a, 30);  // turning back drops the partial sum
  Wheel(a, 90);
  EXPECT_EQ(a->wheelDeltas, (std::vector<int>{120, -360, 120}));
  EXPECT_TRUE(b->wheelDeltas.empty());
}

TEST_F(InputTest, UnhandledWheelGoesOnToTheParent) {
  auto* inner = new TRecorder(&form, log, "inner");
  inner->SetBounds(0, 0, 10, 10);
  inner->SetParent(a);
  EXPECT_FALSE(inner->DispatchMouseWheel(120, {}, {0, 0}));
  EXPECT_EQ(a->wheelDeltas, (std::vector<int>{120}));
  inner->wheelHandled = true;
  EXPECT_TRUE(inner->DispatchMouseWheel(-120, {}, {0, 0}));
  EXPECT_EQ(a->wheelDeltas, (std::vector<int>{120}));
}

TEST_F(InputTest, GraphicChildrenGetTheMouseInTheirOwnCoordinatesAndKeepItWhileHeld) {
  auto* square = new TTestSquare(&form);
  square->SetBounds(60, 60, 30, 30);
  square->SetParent(&form);
  Log squareLog;
  square->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int x, int y) {
    squareLog.push_back("down " + std::to_string(x) + "," + std::to_string(y));
  });
  square->SetOnMouseMove([&](TObject*, TShiftState, int x, int y) {
    squareLog.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  });
  square->SetOnClick([&](TObject*) { squareLog.push_back("click"); });
  Mouse(&form, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {65, 70});
  Mouse(&form, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {10, 10});  // outside, still the square's
  Mouse(&form, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {89, 89});
  Mouse(&form, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {10, 10});  // free again: not the square's
  EXPECT_EQ(squareLog, (Log{"down 5,10", "move -50,-50", "click"}));
}

TEST_F(InputTest, AnExceptionInAHandlerReachesTheApplicationAndInputCarriesOn) {
  auto* plain = new TCustomControl(&form);
  plain->SetBounds(10, 100, 20, 20);
  plain->SetParent(&form);
  plain->SetTabStop(true);
  int clicks = 0;
  plain->SetOnClick([&](TObject*) {
    if (++clicks == 1) throw InvalidOperation("Versi\xF3n rota");
  });
  plain->SetOnKeyDown([](TObject*, std::uint16_t&, TShiftState) { throw std::runtime_error("plain error"); });
  for (int i = 0; i < 2; ++i) {
    Mouse(plain, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {1, 1});
    Mouse(plain, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {1, 1});
  }
  plain->SetFocus();
  PressKey(plain->Widget(), Qt::Key_X, Qt::NoModifier, "x");
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(errors, (std::vector<std::string>{"Versi\xF3n rota", "plain error"}));
}

}  // namespace
}  // namespace tintoral::test
