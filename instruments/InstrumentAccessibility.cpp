#include "instruments/InstrumentAccessibility.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "instruments/LCDMatrix.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/SevenSegmentInteger.h"
#include "instruments/ShadowLabel.h"
#include "instruments/Slider.h"
#include "platform/window/AccessibleDescription.h"
#include "runtime/NumberText.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

class TSliderDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl&) const override { return TAccessibleRole::Slider; }
  // The hint, or else the component's name, so that no slider is announced
  // without a name.
  std::u16string Name(const TControl& control) const override {
    return Windows1252ToUtf16(control.Hint().empty() ? control.Name() : control.Hint());
  }
  // A caption names the slider alone: its value is read through the range.
  std::u16string NameWithCaption(const TControl&, const std::u16string& caption) const override { return caption; }
  std::u16string Value(const TControl& control) const override {
    return Windows1252ToUtf16(FloatToText(Slider(control).Position()));
  }
  std::optional<TAccessibleRange> Range(const TControl& control) const override {
    const TiSlider& slider = Slider(control);
    return TAccessibleRange{slider.Position(), slider.PositionMin(), slider.PositionMax(), slider.KeyArrowStepSize()};
  }
  // A disabled slider takes no user step.
  void SetValueAsUser(TControl& control, double value) const override {
    if (control.Enabled()) static_cast<TiSlider&>(control).SetPositionAsUser(value);
  }

 private:
  static const TiSlider& Slider(const TControl& control) { return static_cast<const TiSlider&>(control); }
};

// The row as it reads: blank cells left out, the decimal mark in its place
// and the overflow cells as the arrows they draw. A readout switched off
// shows nothing.
std::u16string RowText(const SevenSegmentRow& row, bool powerOff) {
  if (powerOff) return {};
  std::u16string text;
  for (std::size_t i = 0; i <= row.cells.size(); ++i) {
    if (static_cast<int>(i) == row.markAfterCell) text += static_cast<char16_t>(row.markChar);
    if (i == row.cells.size()) break;
    const char cell = row.cells[i];
    if (cell == '<') text += u'\u2191';
    else if (cell == '>') text += u'\u2193';
    else if (cell != ' ') text += static_cast<char16_t>(cell);
  }
  return text;
}

// Seven-segment readouts of class T (integer or analog).
template <class T>
class TReadoutDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl&) const override { return TAccessibleRole::StaticText; }
  std::u16string Name(const TControl& control) const override {
    const auto& readout = static_cast<const T&>(control);
    return RowText(readout.ShownRow(), readout.PowerOff());
  }
  std::u16string Value(const TControl& control) const override { return Name(control); }
  std::optional<std::u16string> ShownText(const TControl& control) const override { return Name(control); }
};

// The characters in the LCD's visible positions, row by row, each row
// without its trailing blanks (code 0 shows nothing), and no empty rows at
// the end.
std::string LCDShownText(const TiLCDMatrix& lcd) {
  const TiLCDLayout& layout = lcd.Layout();
  const std::vector<TiLCDElement>& elements = lcd.Elements();
  std::string text;
  for (int row = 0; row < layout.CharRows; ++row) {
    std::string line;
    for (int column = 0; column < layout.CharColumns; ++column) {
      const auto index = static_cast<std::size_t>(row) * static_cast<std::size_t>(layout.CharColumns) + column;
      const std::uint8_t code = index < elements.size() ? elements[index].Code : 0;
      line += code == 0 ? ' ' : static_cast<char>(code);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text += (row > 0 ? "\n" : "") + line;
  }
  text.erase(text.find_last_not_of('\n') + 1);
  return text;
}

class TLCDDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl&) const override { return TAccessibleRole::StaticText; }
  std::u16string Name(const TControl& control) const override {
    return Windows1252ToUtf16(LCDShownText(static_cast<const TiLCDMatrix&>(control)));
  }
  std::u16string Value(const TControl& control) const override { return Name(control); }
  std::optional<std::u16string> ShownText(const TControl& control) const override { return Name(control); }
};

// The caption as drawn: "&" marks take effect only with a FocusControl.
class TShadowLabelDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl&) const override { return TAccessibleRole::StaticText; }
  std::u16string Name(const TControl& control) const override {
    const auto& label = static_cast<const TiLabel&>(control);
    return Windows1252ToUtf16(label.FocusControl() ? TextWithoutPrefixMarks(label.Caption()) : label.Caption());
  }
  std::optional<std::u16string> ShownText(const TControl& control) const override { return Name(control); }
};

}  // namespace

void RegisterInstrumentAccessibility() {
  RegisterAccessibleDescriber<TiSlider>(std::make_shared<TSliderDescriber>());
  RegisterAccessibleDescriber<TiSevenSegmentInteger>(std::make_shared<TReadoutDescriber<TiSevenSegmentInteger>>());
  RegisterAccessibleDescriber<TiSevenSegmentAnalog>(std::make_shared<TReadoutDescriber<TiSevenSegmentAnalog>>());
  RegisterAccessibleDescriber<TiLCDMatrix>(std::make_shared<TLCDDescriber>());
  RegisterAccessibleDescriber<TiLabel>(std::make_shared<TShadowLabelDescriber>());
}

}  // namespace tintoral
