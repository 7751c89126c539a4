#pragma once
// TiSevenSegmentInteger: a seven-segment readout of a signed integer, with an
// optional sign cell, a leading fill and overflow arrows.
#include <cstdint>

#include "instruments/SevenSegmentDisplay.h"
#include "instruments/SevenSegmentText.h"

namespace tintoral {

class TiSevenSegmentInteger : public TiSevenSegmentDisplay {
  TINTORAL_CLASS(TiSevenSegmentInteger, TiSevenSegmentDisplay)

 public:
  explicit TiSevenSegmentInteger(TComponent* owner);

  std::int32_t Value() const { return value_; }
  // Asks the edit-permission hook; then repaint, property-change hook
  // ("Value") and OnValueChange. Nothing happens for the stored value.
  void SetValue(std::int32_t value);
  bool ShowSign() const { return showSign_; }
  void SetShowSign(bool value);

  // The row of characters the readout shows for its value.
  SevenSegmentRow ShownRow() const;

  TSize GetAutoSizeExtent() override;
  void PaintTo(TCanvas& canvas) override;
  bool PaintToStartsWithBackground() const override { return true; }

 private:
  int CellCount() const { return ShownDigitCount() + (showSign_ ? 1 : 0); }

  std::int32_t value_ = 0;
  bool showSign_ = true;
};

}  // namespace tintoral
