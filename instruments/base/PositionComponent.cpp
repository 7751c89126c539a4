#include "instruments/base/PositionComponent.h"

#include <cmath>

#include "runtime/ClassBuilder.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"

namespace tintoral {

const TClassInfo& TiPositionComponent::StaticClass() {
  using T = TiPositionComponent;
  static const TClassInfo info = DescribeClass<T>("TiPositionComponent", TiCustomComponent::StaticClass(), [](auto& b) {
    b.Property("Position", &T::Position, &T::SetPosition);
    b.Property("PositionMax", &T::PositionMax, &T::SetPositionMax);
    b.Property("PositionMin", &T::PositionMin, &T::SetPositionMin);
    b.Property("CurrentMax", &T::CurrentMax, &T::SetCurrentMax);
    b.Property("CurrentMin", &T::CurrentMin, &T::SetCurrentMin);
    b.Property("MinMaxFixed", &T::MinMaxFixed, &T::SetMinMaxFixed).Default(false);
    b.Event("OnPositionChange", &T::OnPositionChange, &T::SetOnPositionChange);
    b.Event("OnCurrentMaxChange", &T::OnCurrentMaxChange, &T::SetOnCurrentMaxChange);
    b.Event("OnCurrentMinChange", &T::OnCurrentMinChange, &T::SetOnCurrentMinChange);
    b.Event("OnPositionOverMax", &T::OnPositionOverMax, &T::SetOnPositionOverMax);
    b.Event("OnPositionUnderMin", &T::OnPositionUnderMin, &T::SetOnPositionUnderMin);
    b.Event("OnPositionOverLimit", &T::OnPositionOverLimit, &T::SetOnPositionOverLimit);
    b.Event("OnPositionUnderLimit", &T::OnPositionUnderLimit, &T::SetOnPositionUnderLimit);
    b.StreamProperty("PositionMax_2", &T::ReadPositionMax2, &T::WritePositionMax2);
  });
  return info;
}

TiPositionComponent::TiPositionComponent(TComponent* owner) : TiCustomComponent(owner) {}

TiPositionComponent::~TiPositionComponent() = default;

// Stored straight into the field: no clamping, no events, no repaint.
void TiPositionComponent::ReadPositionMax2(TReader& reader) { positionMax_ = reader.ReadDouble(); }

void TiPositionComponent::WritePositionMax2(TWriter& writer) const { writer.WriteFloat(positionMax_, ftDouble); }

void TiPositionComponent::AcceptPosition(double value) {
  if (IsLoading()) {
    position_ = value;
    return;
  }
  if (std::isnan(value)) return;
  double v = value;
  if (v > positionMax_) v = positionMax_;
  if (v < positionMin_) v = positionMin_;
  if (v == position_) return;
  if (!EditPermitted("Position")) return;

  position_ = v;
  changedSinceFinish_ = true;
  if (position_ > currentMax_ && !minMaxFixed_) SetCurrentMax(position_);
  if (position_ < currentMin_ && !minMaxFixed_) SetCurrentMin(position_);
  if (position_ > currentMax_) onPositionOverMax_(this);
  if (position_ < currentMin_) onPositionUnderMin_(this);
  TestLimitBands();
  RequestRepaint();
  DoPositionChange();
}

void TiPositionComponent::TestLimitBands() {
  for (std::size_t i = 0; i < limitList_.size(); ++i) {
    const auto index = static_cast<std::int32_t>(i);
    if (position_ > limitList_[i]->UpperValue()) onPositionOverLimit_(this, index);
    if (position_ < limitList_[i]->LowerValue()) onPositionUnderLimit_(this, index);
  }
}

void TiPositionComponent::DoPositionChange() {
  if (IsLoading()) return;
  if (!userChanging_) DataLinkPushPosition();
  NotifyPropertyChanged("Position");
  onPositionChange_(this);
  if (userChanging_) onPositionChangeUser_(this);
}

void TiPositionComponent::DoPositionChangeFinished() {
  if (IsLoading() || !changedSinceFinish_) return;
  changedSinceFinish_ = false;
  DataLinkPushPosition();
  onPositionChangeFinished_(this);
}

void TiPositionComponent::SetCurrentMax(double value) {
  if (!IsLoading()) {
    if (value < positionMin_) value = positionMin_;
    if (value > positionMax_) value = positionMax_;
  }
  if (value == currentMax_) return;
  currentMax_ = value;
  if (IsLoading()) return;
  onCurrentMaxChange_(this);
  if (position_ > currentMax_) onPositionOverMax_(this);
}

void TiPositionComponent::SetCurrentMin(double value) {
  if (!IsLoading()) {
    if (value < positionMin_) value = positionMin_;
    if (value > positionMax_) value = positionMax_;
  }
  if (value == currentMin_) return;
  currentMin_ = value;
  if (IsLoading()) return;
  onCurrentMinChange_(this);
  if (position_ < currentMin_) onPositionUnderMin_(this);
}

void TiPositionComponent::SetPositionMax(double value) {
  if (value == positionMax_) return;
  SetMinMax(positionMin_, value);
}

void TiPositionComponent::SetPositionMin(double value) {
  if (value == positionMin_) return;
  SetMinMax(value, positionMax_);
}

void TiPositionComponent::SetMinMax(double min, double max) {
  if (!std::isfinite(max) || !std::isfinite(min)) return;
  if (positionMin_ == min && positionMax_ == max) return;
  positionMin_ = min;
  positionMax_ = max;
  ClampCurrentToLimits();
  ClampPositionToLimits();
  RequestBackgroundRepaint();
}

void TiPositionComponent::ClampCurrentToLimits() {
  if (IsLoading() || minMaxFixed_) return;
  if (currentMin_ < positionMin_) SetCurrentMin(positionMin_);
  if (currentMax_ > positionMax_) SetCurrentMax(positionMax_);
}

void TiPositionComponent::ClampPositionToLimits() {
  if (IsLoading()) return;
  if (FetchPosition() < positionMin_) AcceptPosition(positionMin_);
  if (FetchPosition() > positionMax_) AcceptPosition(positionMax_);
}

double TiPositionComponent::PositionFraction(double value) const {
  if (value > positionMax_) return 1;
  if (value >= positionMin_ && positionMax_ != positionMin_)
    return (value - positionMin_) / (positionMax_ - positionMin_);
  return 0;
}

}  // namespace tintoral
