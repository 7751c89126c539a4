#include "instruments/SevenSegmentAnalog.h"

#include <cmath>

#include "instruments/SevenSegmentRowPainter.h"
#include "instruments/SevenSegmentText.h"
#include "runtime/ClassBuilder.h"

namespace tintoral {

const TClassInfo& TiSevenSegmentAnalog::StaticClass() {
  using T = TiSevenSegmentAnalog;
  static const TClassInfo info =
      DescribeClass<T>("TiSevenSegmentAnalog", TiSevenSegmentDisplay::StaticClass(), [](auto& b) {
        b.Property("Precision", &T::Precision, &T::SetPrecision).Default(2);
        b.Property("Value", &T::Value, &T::SetValue);
        b.Property("ShowSign", &T::ShowSign, &T::SetShowSign).Default(true);
        b.Property("DigitCount", &T::DigitCount, &T::SetDigitCount).Default(4);
        b.Property("LeadingStyle", &T::LeadingStyle, &T::SetLeadingStyle).Default(ilsSpaces);
      });
  return info;
}

TiSevenSegmentAnalog::TiSevenSegmentAnalog(TComponent* owner) : TiSevenSegmentDisplay(owner) { ApplyAutoSize(); }

void TiSevenSegmentAnalog::SetValue(double value) {
  if (std::isnan(value) || value > kMaxValue) value = kMaxValue;
  ChangeValue(value_, value);
}

void TiSevenSegmentAnalog::SetShowSign(bool value) {
  if (!SetPropertyField(value, showSign_, irkRepaint)) return;
  ApplyAutoSize();
}

void TiSevenSegmentAnalog::SetPrecision(int value) {
  if (value > kMaxPrecision) value = kMaxPrecision;
  if (value == precision_) return;
  precision_ = value < 0 ? 0 : value;
  ApplyAutoSize();
  RequestRepaint();
}

TSize TiSevenSegmentAnalog::GetAutoSizeExtent() { return NaturalExtent(CellCount()); }

SevenSegmentRow TiSevenSegmentAnalog::ShownRow() const {
  return AnalogReadoutRow(value_, showSign_, ShownDigitCount(), ShownPrecision(), LeadingStyle());
}

void TiSevenSegmentAnalog::PaintTo(TCanvas& canvas) { PaintSevenSegmentRow(*this, canvas, ShownRow(), CellCount()); }

}  // namespace tintoral
