#pragma once
// Exact values typed in, in the test-signal window: R, G and B as per cent
// and as 0 … 255 levels, and the colour as #RRGGBB, each in its own field on
// a panel, with a line for messages. Enter in a field applies its value (the
// other channels as they are); a value that is refused leaves everything as
// it is and says why on the message line. The fields follow the colour the
// sliders show.
#include <array>
#include <functional>
#include <string>

#include "app/ColorEntry.h"

namespace tintoral {

class TEntryField;
class TLabel;
class TWinControl;

class TExactValues {
 public:
  using TApply = std::function<void(const TSliderColor&)>;
  // Creates the fields and their captions on `panel` (which owns them).
  TExactValues(TWinControl& panel, TApply apply);

  // The fields take the colour's values; the message line is cleared.
  void Show(const TSliderColor& color);

  TEntryField& PercentField(int channel) const { return *percent_[channel]; }
  TEntryField& LevelField(int channel) const { return *level_[channel]; }
  TEntryField& HexField() const { return *hex_; }
  const TLabel& Message() const { return *message_; }
  // Every field, in tab order.
  std::array<TEntryField*, 7> Fields() const;
  // The caption before a field.
  const TLabel* CaptionOf(const TEntryField& field) const;

 private:
  void Apply(TEntryField& field);

  TApply apply_;
  TSliderColor shown_;
  std::array<TEntryField*, 3> percent_{};
  std::array<TEntryField*, 3> level_{};
  TEntryField* hex_ = nullptr;
  std::array<TLabel*, 7> captions_{};
  TLabel* message_ = nullptr;
};

// A slider position as the per-cent field shows it: up to three decimals,
// trailing zeros dropped ("50", "37,5"), the locale's separator.
std::string PercentText(double percent);

}  // namespace tintoral
