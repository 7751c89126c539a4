#include "instruments/base/ScaleComponent.h"

#include <cmath>

#include "instruments/base/AutoScale.h"
#include "runtime/ClassBuilder.h"

namespace tintoral {

const TClassInfo& TiScaleComponent::StaticClass() {
  static const TClassInfo info =
      DescribeClass<TiScaleComponent>("TiScaleComponent", TiPositionComponent::StaticClass(), [](auto&) {});
  return info;
}

TiScaleComponent::TiScaleComponent(TComponent* owner)
    : TiPositionComponent(owner), scale_(std::make_unique<TiScaleObject>()) {
  scale_->SetOnChange([this](TObject*) { RequestBackgroundRepaint(); });
  scale_->SetPrecisionStyle(ipsFixedDecimalPoints);
  scale_->SetShowTicksMajor(true);
  scale_->SetShowTicksMinor(true);
  scale_->SetShowTickLabels(true);
  CopyAutoScaleSettings();
}

TiScaleComponent::~TiScaleComponent() = default;

void TiScaleComponent::CopyAutoScaleSettings() {
  scale_->SetAutoScaleEnabled(autoScaleEnabled_);
  scale_->SetAutoScaleDesiredTicks(autoScaleDesiredTicks_);
  scale_->SetAutoScaleMaxTicks(autoScaleMaxTicks_);
  scale_->SetAutoScaleStyle(autoScaleStyle_);
}

void TiScaleComponent::SetAutoScaleEnabled(bool value) {
  if (value == autoScaleEnabled_) return;
  autoScaleEnabled_ = value;
  CopyAutoScaleSettings();
  AutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::SetAutoScaleStyle(TiAutoScaleStyle value) {
  if (value == autoScaleStyle_) return;
  autoScaleStyle_ = value;
  CopyAutoScaleSettings();
  AutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::SetAutoScaleDesiredTicks(std::int32_t value) {
  if (value < 2 || value == autoScaleDesiredTicks_) return;
  autoScaleDesiredTicks_ = value;
  CopyAutoScaleSettings();
  AutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::SetAutoScaleMaxTicks(std::int32_t value) {
  if (value < 2 || value == autoScaleMaxTicks_) return;
  autoScaleMaxTicks_ = value;
  CopyAutoScaleSettings();
  AutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::AutoScale(double min, double max) {
  if (!autoScaleEnabled_ || IsLoading()) return;
  TAutoScaleResult result;
  if (autoScaleStyle_ == iassAutoMinMax) {
    result = AutoScaleOutside(autoScaleDesiredTicks_, autoScaleMaxTicks_, min, max);
    SetMinMax(result.lo, result.hi);
  } else {
    result = AutoScaleInside(autoScaleDesiredTicks_, autoScaleMaxTicks_, min, max);
    SetMinMax(min, max);
    tickRangeMin_ = result.lo;
    tickRangeMax_ = result.hi;
    scale_->SetTickRange(result.lo, result.hi);
    RequestBackgroundRepaint();
  }
  SetTickMajorCount(result.count);
}

void TiScaleComponent::Loaded() {
  TiPositionComponent::Loaded();
  AutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::SetPositionMax(double value) {
  if (!std::isfinite(value)) return;
  if (!autoScaleEnabled_ || IsLoading()) TiPositionComponent::SetPositionMax(value);
  else AutoScale(PositionMin(), value);
}

void TiScaleComponent::SetPositionMin(double value) {
  if (!std::isfinite(value)) return;
  if (!autoScaleEnabled_ || IsLoading()) TiPositionComponent::SetPositionMin(value);
  else AutoScale(value, PositionMax());
}

std::int32_t TiScaleComponent::GetLabelPrecision() const {
  return LabelDecimals(scale_->PrecisionStyle(), scale_->TickLabelPrecision(), PositionMin(), PositionMax());
}

}  // namespace tintoral
