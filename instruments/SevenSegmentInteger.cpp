#include "instruments/SevenSegmentInteger.h"

#include "instruments/SevenSegmentRowPainter.h"
#include "instruments/SevenSegmentText.h"
#include "runtime/ClassBuilder.h"

namespace tintoral {

const TClassInfo& TiSevenSegmentInteger::StaticClass() {
  using T = TiSevenSegmentInteger;
  static const TClassInfo info =
      DescribeClass<T>("TiSevenSegmentInteger", TiSevenSegmentDisplay::StaticClass(), [](auto& b) {
        b.Property("Value", &T::Value, &T::SetValue).NoDefault();
        b.Property("ShowSign", &T::ShowSign, &T::SetShowSign).Default(true);
        b.Property("DigitCount", &T::DigitCount, &T::SetDigitCount).Default(4);
        b.Property("LeadingStyle", &T::LeadingStyle, &T::SetLeadingStyle).Default(ilsSpaces);
      });
  return info;
}

TiSevenSegmentInteger::TiSevenSegmentInteger(TComponent* owner) : TiSevenSegmentDisplay(owner) { ApplyAutoSize(); }

void TiSevenSegmentInteger::SetValue(std::int32_t value) { ChangeValue(value_, value); }

void TiSevenSegmentInteger::SetShowSign(bool value) {
  if (!SetPropertyField(value, showSign_, irkRepaint)) return;
  ApplyAutoSize();
}

TSize TiSevenSegmentInteger::GetAutoSizeExtent() { return NaturalExtent(CellCount()); }

SevenSegmentRow TiSevenSegmentInteger::ShownRow() const {
  return IntegerReadoutRow(value_, showSign_, ShownDigitCount(), LeadingStyle());
}

void TiSevenSegmentInteger::PaintTo(TCanvas& canvas) { PaintSevenSegmentRow(*this, canvas, ShownRow(), CellCount()); }

}  // namespace tintoral
