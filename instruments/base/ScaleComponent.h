#pragma once
// TiScaleComponent: a position component with a tick scale. It owns one
// TiScaleObject, exposes its tick settings, and keeps the auto-scale
// settings: with AutoScaleEnabled, a change of the limits either moves the
// limits onto round numbers (iassAutoMinMax) or keeps them and places the
// major ticks on round numbers inside them (iassFixedMinMax).
//
// The settings are declared here and published by the instruments that
// show a scale: their class description calls PublishScaleProperties.
#include <cstdint>
#include <memory>

#include "instruments/base/PositionComponent.h"
#include "instruments/base/ScaleObject.h"
#include "platform/graphics/GraphicsClasses.h"

namespace tintoral {

class TiScaleComponent : public TiPositionComponent {
  TINTORAL_CLASS(TiScaleComponent, TiPositionComponent)

 public:
  explicit TiScaleComponent(TComponent* owner);
  ~TiScaleComponent() override;

  TiScaleObject& Scale() { return *scale_; }
  const TiScaleObject& Scale() const { return *scale_; }

  // ---- Scale settings (the scale object's fields) --------------------------
  bool ShowTicksMajor() const { return scale_->ShowTicksMajor(); }
  void SetShowTicksMajor(bool value) { scale_->SetShowTicksMajor(value); }
  bool ShowTicksMinor() const { return scale_->ShowTicksMinor(); }
  void SetShowTicksMinor(bool value) { scale_->SetShowTicksMinor(value); }
  bool ShowTickLabels() const { return scale_->ShowTickLabels(); }
  void SetShowTickLabels(bool value) { scale_->SetShowTickLabels(value); }
  std::int32_t TickMajorCount() const { return scale_->TickMajorCount(); }
  void SetTickMajorCount(std::int32_t value) { scale_->SetTickMajorCount(value); }
  TColor TickMajorColor() const { return scale_->TickMajorColor(); }
  void SetTickMajorColor(TColor value) { scale_->SetTickMajorColor(value); }
  std::int32_t TickMajorLength() const { return scale_->TickMajorLength(); }
  void SetTickMajorLength(std::int32_t value) { scale_->SetTickMajorLength(value); }
  TiBevelStyle TickMajorStyle() const { return scale_->TickMajorStyle(); }
  void SetTickMajorStyle(TiBevelStyle value) { scale_->SetTickMajorStyle(value); }
  TiTickMinorAlignment TickMinorAlignment() const { return scale_->TickMinorAlignment(); }
  void SetTickMinorAlignment(TiTickMinorAlignment value) { scale_->SetTickMinorAlignment(value); }
  std::int32_t TickMinorCount() const { return scale_->TickMinorCount(); }
  void SetTickMinorCount(std::int32_t value) { scale_->SetTickMinorCount(value); }
  TColor TickMinorColor() const { return scale_->TickMinorColor(); }
  void SetTickMinorColor(TColor value) { scale_->SetTickMinorColor(value); }
  std::int32_t TickMinorLength() const { return scale_->TickMinorLength(); }
  void SetTickMinorLength(std::int32_t value) { scale_->SetTickMinorLength(value); }
  TiBevelStyle TickMinorStyle() const { return scale_->TickMinorStyle(); }
  void SetTickMinorStyle(TiBevelStyle value) { scale_->SetTickMinorStyle(value); }
  std::int32_t TickMargin() const { return scale_->TickMargin(); }
  void SetTickMargin(std::int32_t value) { scale_->SetTickMargin(value); }
  std::int32_t TickLabelMargin() const { return scale_->TickLabelMargin(); }
  void SetTickLabelMargin(std::int32_t value) { scale_->SetTickLabelMargin(value); }
  TFont& TickLabelFont() const { return scale_->TickLabelFont(); }
  void SetTickLabelFont(const TFont& value) { scale_->SetTickLabelFont(value); }
  std::int32_t TickLabelPrecision() const { return scale_->TickLabelPrecision(); }
  void SetTickLabelPrecision(std::int32_t value) { scale_->SetTickLabelPrecision(value); }
  TiPrecisionStyle PrecisionStyle() const { return scale_->PrecisionStyle(); }
  void SetPrecisionStyle(TiPrecisionStyle value) { scale_->SetPrecisionStyle(value); }
  const TOnCustomizeTickLabel& OnCustomizeTickLabel() const { return scale_->OnCustomizeTickLabel(); }
  void SetOnCustomizeTickLabel(TOnCustomizeTickLabel handler) { scale_->SetOnCustomizeTickLabel(std::move(handler)); }

  // ---- Auto-scale -----------------------------------------------------------
  bool AutoScaleEnabled() const { return autoScaleEnabled_; }
  void SetAutoScaleEnabled(bool value);
  // Values below 2 are ignored.
  std::int32_t AutoScaleDesiredTicks() const { return autoScaleDesiredTicks_; }
  void SetAutoScaleDesiredTicks(std::int32_t value);
  std::int32_t AutoScaleMaxTicks() const { return autoScaleMaxTicks_; }
  void SetAutoScaleMaxTicks(std::int32_t value);
  TiAutoScaleStyle AutoScaleStyle() const { return autoScaleStyle_; }
  void SetAutoScaleStyle(TiAutoScaleStyle value);
  // First and last major tick value chosen under iassFixedMinMax.
  double TickRangeMin() const { return tickRangeMin_; }
  double TickRangeMax() const { return tickRangeMax_; }

  // Applies auto-scale to the limits (min, max); nothing while it is off or
  // while loading.
  void AutoScale(double min, double max);

  // ---- Overrides --------------------------------------------------------------
  void Loaded() override;
  // With auto-scale on (and not loading) the new limit goes through AutoScale.
  void SetPositionMin(double value) override;
  void SetPositionMax(double value) override;

  // ---- Virtual operations after those of TiPositionComponent ----------------
  // The label decimals for the range [PositionMin, PositionMax].
  virtual std::int32_t GetLabelPrecision() const;

 private:
  void CopyAutoScaleSettings();

  std::unique_ptr<TiScaleObject> scale_;
  bool autoScaleEnabled_ = false;
  std::int32_t autoScaleDesiredTicks_ = 5;
  std::int32_t autoScaleMaxTicks_ = 6;
  TiAutoScaleStyle autoScaleStyle_ = iassAutoMinMax;
  double tickRangeMin_ = 0;
  double tickRangeMax_ = 0;
};

// Publishes the scale settings of a TiScaleComponent descendant T with
// their defaults, in this order.
template <class T, class Builder>
void PublishScaleProperties(Builder& b) {
  b.Property("ShowTicksMajor", &T::ShowTicksMajor, &T::SetShowTicksMajor).Default(true);
  b.Property("ShowTicksMinor", &T::ShowTicksMinor, &T::SetShowTicksMinor).Default(true);
  b.Property("ShowTickLabels", &T::ShowTickLabels, &T::SetShowTickLabels).Default(true);
  b.Property("TickMajorCount", &T::TickMajorCount, &T::SetTickMajorCount).Default(5);
  b.Property("TickMajorColor", &T::TickMajorColor, &T::SetTickMajorColor).Default(clBlack).TypeName(kColorTypeName);
  b.Property("TickMajorLength", &T::TickMajorLength, &T::SetTickMajorLength).Default(7);
  b.Property("TickMajorStyle", &T::TickMajorStyle, &T::SetTickMajorStyle).Default(ibsNone);
  b.Property("TickMinorAlignment", &T::TickMinorAlignment, &T::SetTickMinorAlignment).Default(itmnaInside);
  b.Property("TickMinorCount", &T::TickMinorCount, &T::SetTickMinorCount).Default(4);
  b.Property("TickMinorColor", &T::TickMinorColor, &T::SetTickMinorColor).Default(clBlack).TypeName(kColorTypeName);
  b.Property("TickMinorLength", &T::TickMinorLength, &T::SetTickMinorLength).Default(3);
  b.Property("TickMinorStyle", &T::TickMinorStyle, &T::SetTickMinorStyle).Default(ibsNone);
  b.Property("TickMargin", &T::TickMargin, &T::SetTickMargin).Default(5);
  b.Property("TickLabelMargin", &T::TickLabelMargin, &T::SetTickLabelMargin).Default(5);
  b.Object("TickLabelFont", &T::TickLabelFont, &T::SetTickLabelFont);
  b.Property("TickLabelPrecision", &T::TickLabelPrecision, &T::SetTickLabelPrecision).Default(0);
  b.Property("PrecisionStyle", &T::PrecisionStyle, &T::SetPrecisionStyle).Default(ipsFixedDecimalPoints);
  b.Event("OnCustomizeTickLabel", &T::OnCustomizeTickLabel, &T::SetOnCustomizeTickLabel);
  b.Property("AutoScaleEnabled", &T::AutoScaleEnabled, &T::SetAutoScaleEnabled).Default(false);
  b.Property("AutoScaleDesiredTicks", &T::AutoScaleDesiredTicks, &T::SetAutoScaleDesiredTicks).Default(5);
  b.Property("AutoScaleMaxTicks", &T::AutoScaleMaxTicks, &T::SetAutoScaleMaxTicks).Default(6);
  b.Property("AutoScaleStyle", &T::AutoScaleStyle, &T::SetAutoScaleStyle).Default(iassAutoMinMax);
}

}  // namespace tintoral
