#pragma once
// TiSevenSegmentAnalog: a seven-segment readout of a floating-point value
// with a fixed number of decimals; the decimal mark sits in the gap between
// cells and follows the locale's decimal separator.
#include "instruments/SevenSegmentDisplay.h"
#include "instruments/SevenSegmentText.h"

namespace tintoral {

class TiSevenSegmentAnalog : public TiSevenSegmentDisplay {
  TINTORAL_CLASS(TiSevenSegmentAnalog, TiSevenSegmentDisplay)

 public:
  static constexpr double kMaxValue = 1e15;
  static constexpr int kMaxPrecision = 13;

  explicit TiSevenSegmentAnalog(TComponent* owner);

  // Read back exactly as set: the readout rounds only what it draws.
  double Value() const { return value_; }
  // Values above 10^15 and NaN become 10^15; then as the integer readout:
  // permission hook, store, repaint, property-change hook, OnValueChange.
  void SetValue(double value);
  bool ShowSign() const { return showSign_; }
  void SetShowSign(bool value);
  int Precision() const { return precision_; }
  void SetPrecision(int value);  // held to 0 … 13

  // The row of characters the readout shows for its value.
  SevenSegmentRow ShownRow() const;

  TSize GetAutoSizeExtent() override;
  void PaintTo(TCanvas& canvas) override;
  bool PaintToStartsWithBackground() const override { return true; }

 private:
  int CellCount() const { return ShownDigitCount() + (showSign_ ? 1 : 0); }
  // The precision drawn: one read from a layout is held to 0 … 13 here.
  int ShownPrecision() const { return std::clamp(precision_, 0, kMaxPrecision); }

  double value_ = 0.0;
  bool showSign_ = true;
  int precision_ = 2;
};

}  // namespace tintoral
