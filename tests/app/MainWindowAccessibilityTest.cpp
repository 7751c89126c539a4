// The main window through Qt's accessibility API, as a screen reader uses
// it: setting the red slider moves everything a user's step moves, and the
// readouts (after their captions), the banner and the labels read as they
// show. The whole window over AT-SPI: tests/e2e/ScreenReaderTest.cpp.
#include <gtest/gtest.h>

#include <QAccessible>

#include "app/MainForm.h"
#include "instruments/LCDMatrix.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/SevenSegmentInteger.h"
#include "instruments/Slider.h"
#include "platform/window/ControlWidget.h"
#include "system/Locale.h"
#include "tests/app/AppTestSupport.h"

namespace tintoral {
namespace {

QAccessibleInterface* InterfaceOf(TWinControl* control) {
  return QAccessible::queryAccessibleInterface(control->Widget());
}

TEST(MainWindowAccessibilityTest, AScreenReaderSettingTheRedSliderChangesWhatTheReadoutsRead) {
  app_testing::RegisterLayoutClasses();
  ScopedDecimalSeparator comma(',');
  TForm1 form(nullptr);
  form.Show();
  EXPECT_EQ(InterfaceOf(form.LCD_Main)->text(QAccessible::Name),
            QString::fromUtf8("\u00A1Se\u00F1ales de color en televisi\u00F3n"));
  QAccessibleValueInterface* red = InterfaceOf(form.CursorRojo)->valueInterface();
  ASSERT_NE(red, nullptr);
  red->setCurrentValue(100.0);
  EXPECT_EQ(form.CursorRojo->Position(), 100);
  EXPECT_EQ(InterfaceOf(form.ValorRojo)->text(QAccessible::Name), "R: 100");
  EXPECT_EQ(InterfaceOf(form.ValorLumi)->text(QAccessible::Name), "Luminancia (Y): 0,300");
  // The caption of the standard label before the luminance readout.
  QAccessibleInterface* panel = InterfaceOf(form.ValorLumi->Parent());
  bool labelFound = false;
  for (int i = 0; i < panel->childCount(); ++i)
    labelFound |= panel->child(i)->text(QAccessible::Name) == "Luminancia (Y):";
  EXPECT_TRUE(labelFound);
}

}  // namespace
}  // namespace tintoral
