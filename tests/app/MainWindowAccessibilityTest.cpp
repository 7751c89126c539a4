// The main window through Qt's accessibility API, as a screen reader uses
// it: setting the red slider moves everything a user's step moves, and the
// readouts (after their captions), the banner and the labels read as they
// show. The whole window over AT-SPI: tests/e2e/ScreenReaderTest.cpp.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QStringList>

#include "app/MainForm.h"
#include "instruments/LCDMatrix.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/SevenSegmentInteger.h"
#include "instruments/Slider.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/PageControl.h"
#include "platform/window/Panel.h"
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

// The page control, focused as the window starts, reads as its page's tab;
// the swatches read as their colour; the layout's empty label is left out.
TEST(MainWindowAccessibilityTest, PageTabSwatchesAndNoEmptyText) {
  app_testing::RegisterLayoutClasses();
  TForm1 form(nullptr);
  form.Show();
  QAccessibleInterface* tab = InterfaceOf(form.PageControl1);
  EXPECT_EQ(tab->role(), QAccessible::PageTab);
  EXPECT_EQ(tab->text(QAccessible::Name), "Color en TV");
  form.CursorRojo->SetPositionAsUser(100);
  QAccessibleInterface* page = InterfaceOf(form.TabSheet1);
  QStringList names;
  for (int i = 0; i < page->childCount(); ++i) {
    QAccessibleInterface* child = page->child(i);
    names << child->text(QAccessible::Name);
    EXPECT_FALSE(child->role() == QAccessible::StaticText && child->text(QAccessible::Name).isEmpty())
        << "an empty text at " << i;
  }
  QAccessibleInterface* panel = InterfaceOf(form.Panel1);
  for (int i = 0; i < panel->childCount(); ++i) names << panel->child(i)->text(QAccessible::Name);
  EXPECT_TRUE(names.contains("Color #FF0000")) << names.join(" | ").toStdString();
  EXPECT_TRUE(names.contains("B/W #4D4D4D")) << names.join(" | ").toStdString();
}

}  // namespace
}  // namespace tintoral
