// The instruments as a screen reader sees them through Qt's accessibility
// API: the slider's value interface, which sets the position as a user's key
// step does, and the texts the readouts, the LCD and the label show.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <string>
#include <vector>

#include "instruments/InstrumentClasses.h"
#include "instruments/LCDMatrix.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/SevenSegmentInteger.h"
#include "instruments/ShadowLabel.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/Form.h"
#include "platform/window/KeyCodes.h"
#include "system/Locale.h"
#include "tests/instruments/SliderTestSupport.h"
#include "tests/platform/window/AccessibilityEvents.h"

namespace tintoral {
namespace {

class InstrumentAccessibility : public ::testing::Test {
 protected:
  InstrumentAccessibility() {
    RegisterInstruments();
    form.SetBounds(0, 0, 400, 300);
    form.Show();
  }
  template <class T>
  T& Add() {
    auto* control = new T(&form);
    control->SetParent(&form);
    return *control;
  }
  static QAccessibleInterface* InterfaceOf(TWinControl& control) {
    return QAccessible::queryAccessibleInterface(control.Widget());
  }
  static QString Name(TWinControl& control) { return InterfaceOf(control)->text(QAccessible::Name); }

  TForm form{nullptr};
};

class SliderAccessibility : public InstrumentAccessibility {
 protected:
  SliderAccessibility() : slider(Add<TiSlider>()) {
    test::SetUpAsMainWindowSlider(slider);
    slider.SetHint("Rojo");
    slider.SetKeyArrowStepSize(2);
    slider.SetPosition(40);
    events.Record(slider);
  }
  QAccessibleValueInterface* Value() { return InterfaceOf(slider)->valueInterface(); }

  TiSlider& slider;
  test::PositionEvents events;
};

TEST_F(SliderAccessibility, IsASliderWithItsHintPositionAndRange) {
  QAccessibleInterface* accessible = InterfaceOf(slider);
  EXPECT_EQ(accessible->role(), QAccessible::Slider);
  EXPECT_EQ(accessible->text(QAccessible::Name), "Rojo");
  slider.SetName("CursorRojo");
  slider.SetHint("");
  EXPECT_EQ(accessible->text(QAccessible::Name), "CursorRojo") << "without a hint the component's name";
  ScopedDecimalSeparator comma(',');
  slider.SetPosition(12.5);
  EXPECT_EQ(accessible->text(QAccessible::Value), "12,5");
  ASSERT_NE(Value(), nullptr);
  EXPECT_EQ(Value()->currentValue(), QVariant(12.5));
  EXPECT_EQ(Value()->minimumValue(), QVariant(0.0));
  EXPECT_EQ(Value()->maximumValue(), QVariant(100.0));
  EXPECT_EQ(Value()->minimumStepSize(), QVariant(2.0));
}

TEST_F(SliderAccessibility, ANewValueFiresWhatAKeyStepFires) {
  slider.DispatchKeyDown(VK_UP, {});
  slider.DispatchKeyUp(VK_UP, {});
  const std::vector<std::string> keyStep = events.Take();
  ASSERT_EQ(keyStep, (std::vector<std::string>{"Change 42", "User 42", "Finished 42"}));

  Value()->setCurrentValue(44.0);
  EXPECT_EQ(events.Take(), (std::vector<std::string>{"Change 44", "User 44", "Finished 44"}));
}

TEST_F(SliderAccessibility, TheSamePositionNoNumberOrADisabledSliderFireNothing) {
  Value()->setCurrentValue(40.0);
  Value()->setCurrentValue(QVariant("no number"));
  slider.SetEnabled(false);
  Value()->setCurrentValue(50.0);
  EXPECT_EQ(events.Take(), std::vector<std::string>{});
  EXPECT_EQ(slider.Position(), 40);
}

TEST_F(SliderAccessibility, ThePaintAfterAMoveReportsTheNewValue) {
  test::AccessibilityEvents reports;
  slider.Invalidate();
  QApplication::processEvents();
  reports.Take();  // what the set-up changed
  slider.SetPosition(55);
  QApplication::processEvents();
  EXPECT_EQ(reports.Take(), std::vector<std::string>{"ValueChanged 55"});
}

TEST_F(InstrumentAccessibility, ReadoutsReadAsTheTextTheyShow) {
  ScopedDecimalSeparator comma(',');
  auto& analog = Add<TiSevenSegmentAnalog>();
  analog.SetPrecision(3);
  analog.SetShowSign(false);
  analog.SetValue(0.631);
  auto& integer = Add<TiSevenSegmentInteger>();
  const struct {
    std::function<void()> set;
    TWinControl* readout;
    QString shown;
  } cases[] = {
      {[] {}, &analog, "0,631"},
      {[&] {
         analog.SetValue(-12.5);
         analog.SetShowSign(true);
         analog.SetPrecision(1);
       },
       &analog, "-12,5"},
      {[&] { integer.SetValue(7); }, &integer, "+7"},
      {[&] { integer.SetLeadingStyle(ilsZeros); }, &integer, "+0007"},
      {[&] { integer.SetValue(-12345); }, &integer, QString::fromUtf8("-\u2193\u2193\u2193\u2193")},
      {[&] { integer.SetValue(12345); }, &integer, QString::fromUtf8("+\u2191\u2191\u2191\u2191")},
      {[&] { integer.SetPowerOff(true); }, &integer, ""},
  };
  for (const auto& c : cases) {
    c.set();
    EXPECT_EQ(Name(*c.readout), c.shown);
    EXPECT_EQ(InterfaceOf(*c.readout)->text(QAccessible::Value), c.shown);
    ASSERT_NE(InterfaceOf(*c.readout)->textInterface(), nullptr);
    EXPECT_EQ(InterfaceOf(*c.readout)->textInterface()->text(0, -1), c.shown);
    EXPECT_EQ(InterfaceOf(*c.readout)->role(), QAccessible::StaticText);
  }
}

TEST_F(InstrumentAccessibility, LCDReadsAsItsVisibleCharactersRowByRow) {
  auto& lcd = Add<TiLCDMatrix>();
  lcd.SetBounds(0, 0, 6 * 12 * 3 + 8, 2 * 8 * 3 + 8);  // room for about 12 x 2 characters
  lcd.UpdateLayout();
  ASSERT_GE(lcd.Layout().CharRows, 2);
  const int columns = lcd.Layout().CharColumns;
  lcd.SetText("Tintoral");
  EXPECT_EQ(Name(lcd), "Tintoral");
  lcd.WriteText("Versi\xF3n", 0, 1, clRed);
  EXPECT_EQ(Name(lcd), QString::fromUtf8("Tintoral\nVersi\u00F3n"));
  ASSERT_NE(InterfaceOf(lcd)->textInterface(), nullptr);
  EXPECT_EQ(InterfaceOf(lcd)->textInterface()->text(0, -1), Name(lcd));
  lcd.SetText(std::string(static_cast<std::size_t>(columns), 'x') + "beyond");
  EXPECT_EQ(Name(lcd), QString(columns, 'x') + "\nbeyond");
  lcd.SetText(std::string(static_cast<std::size_t>(columns * lcd.Layout().CharRows), 'y') + "hidden");
  EXPECT_FALSE(Name(lcd).contains("hidden"));
}

TEST_F(InstrumentAccessibility, ShadowLabelReadsAsItsCaptionWithPrefixMarksOnlyWhenItHasAFocusControl) {
  auto& label = Add<TiLabel>();
  label.SetCaption("&Rojo && verde");
  EXPECT_EQ(InterfaceOf(label)->role(), QAccessible::StaticText);
  EXPECT_EQ(Name(label), "&Rojo && verde");
  label.SetFocusControl(&Add<TiSlider>());
  EXPECT_EQ(Name(label), "Rojo & verde");
}

}  // namespace
}  // namespace tintoral
