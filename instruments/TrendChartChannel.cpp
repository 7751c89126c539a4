#include "instruments/TrendChartChannel.h"

#include <algorithm>
#include <limits>

#include "runtime/ClassBuilder.h"

namespace tintoral {

const TEnumType& EnumTypeOf(TiTrendValueAxis) {
  static const TEnumType type("TiTrendValueAxis", {"itvaLeft", "itvaRight"});
  return type;
}

const TClassInfo& TiTrendChannel::StaticClass() {
  using T = TiTrendChannel;
  // No defaults: every channel's colour differs, so all are always written.
  static const TClassInfo info = DescribeClass<T>("TiTrendChannel", TPersistent::StaticClass(), [](auto& b) {
    b.Property("Caption", &T::Caption, &T::SetCaption);
    b.Property("Color", &T::Color, &T::SetColor).TypeName("TColor");
    b.Property("PenWidth", &T::PenWidth, &T::SetPenWidth);
    b.Property("Visible", &T::Visible, &T::SetVisible);
    b.Property("ValueAxis", &T::ValueAxis, &T::SetValueAxis);
    b.Property("Steps", &T::Steps, &T::SetSteps);
    // A live value: recorded as a sample, never stored in a form.
    b.Property("Value", &T::Value, &T::SetValue).Stored(false);
  });
  return info;
}

void TiTrendChannel::SetCaption(const std::string& value) {
  if (value == caption_) return;
  caption_ = value;
  Changed();
}

void TiTrendChannel::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Changed();
}

void TiTrendChannel::SetPenWidth(int value) {
  value = std::clamp(value, 1, kMaxPenWidth);
  if (value == penWidth_) return;
  penWidth_ = value;
  Changed();
}

void TiTrendChannel::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Changed();
}

void TiTrendChannel::SetValueAxis(TiTrendValueAxis value) {
  if (value == valueAxis_) return;
  valueAxis_ = value;
  Changed();
}

void TiTrendChannel::SetSteps(bool value) {
  if (value == steps_) return;
  steps_ = value;
  Changed();
}

double TiTrendChannel::Value() const {
  if (history_.Empty()) return std::numeric_limits<double>::quiet_NaN();
  return history_.ValueAt(history_.End() - 1);
}

void TiTrendChannel::SetValue(double value) {
  if (record_) record_(*this, value);
}

void TiTrendChannel::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TiTrendChannel*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  caption_ = other->caption_;
  color_ = other->color_;
  penWidth_ = other->penWidth_;
  visible_ = other->visible_;
  valueAxis_ = other->valueAxis_;
  steps_ = other->steps_;
  Changed();
}

}  // namespace tintoral
