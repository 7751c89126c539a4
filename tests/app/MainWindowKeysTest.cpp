// The main window's own keys: which key means what, and F1 with the focus
// on a slider opening the About box that Escape closes as Cancel would.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>

#include "app/AboutBox.h"
#include "app/MainForm.h"
#include "app/MainWindowKeys.h"
#include "instruments/Slider.h"
#include "platform/window/ControlWidget.h"
#include "tests/app/AppTestSupport.h"

namespace tintoral {
namespace {

using Cmd = TMainWindowCommand;

TEST(MainWindowKeysTest, KeysAndModifiersGiveTheirCommands) {
  const TShiftState ctrl{ssCtrl}, ctrlShift{ssCtrl, ssShift}, altGr{ssCtrl, ssAlt}, shift{ssShift};
  const struct {
    std::uint16_t key;
    TShiftState shift;
    Cmd command;
  } cases[] = {
      {VK_F1, {}, Cmd::About},
      {VK_F1, shift, Cmd::None},
      {VK_F11, {}, Cmd::FullScreen},
      {VK_OEM_PLUS, ctrl, Cmd::ZoomIn},
      {VK_OEM_PLUS, ctrlShift, Cmd::ZoomIn},
      {VK_ADD, ctrl, Cmd::ZoomIn},
      {VK_OEM_PLUS, {}, Cmd::None},
      {VK_OEM_PLUS, altGr, Cmd::None},
      {VK_OEM_MINUS, ctrl, Cmd::ZoomOut},
      {VK_SUBTRACT, ctrl, Cmd::ZoomOut},
      {'0', ctrl, Cmd::ZoomReset},
      {VK_NUMPAD0, ctrl, Cmd::ZoomReset},
      {'0', {}, Cmd::None},
      {VK_UP, ctrl, Cmd::None},
      {VK_F2, {}, Cmd::TestSignals},
      {VK_F2, ctrl, Cmd::None},
      {'S', ctrl, Cmd::SavePicture},
      {'S', {}, Cmd::None},
      {'C', ctrl, Cmd::CopyValues},
      {'C', altGr, Cmd::None},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MainWindowCommandOf(c.key, c.shift), c.command) << c.key << " shift " << int(c.shift.Bits());
}

void Press(QWidget* widget, int qtKey) {
  QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
}

TEST(MainWindowKeysTest, F1OnASliderOpensTheAboutBoxAndEscapeClosesItWithCancel) {
  app_testing::RegisterLayoutClasses();
  TForm1 window(nullptr);
  TAboutBox box(nullptr);
  window.SetAboutBox(&box);
  window.Show();
  window.CursorAzul->SetFocus();
  bool shownModal = false;
  QTimer::singleShot(0, [&] {
    shownModal = box.IsModal() && box.Visible();
    Press(box.Widget(), Qt::Key_Escape);
  });
  Press(window.CursorAzul->Widget(), Qt::Key_F1);
  EXPECT_TRUE(shownModal);
  EXPECT_FALSE(box.Visible());
  EXPECT_EQ(box.ModalResult(), mrCancel);
  EXPECT_EQ(window.CursorAzul->Position(), 0);  // the slider never saw F1 or Escape
}

}  // namespace
}  // namespace tintoral
