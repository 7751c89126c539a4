#pragma once
// The TV standards side by side in the test-signal window: one column per
// standard (TvStandards.h) with its printed coefficients and the current
// colour's Y, R−Y, B−Y and scaled differences (V/U or Cr/Cb), as labels on
// a panel, so that screen readers read them as shown. Numbers have three
// decimals and the locale's decimal separator; differences carry a sign.
#include <array>
#include <string>
#include <vector>

#include "app/ColorEntry.h"
#include "app/TvStandards.h"

namespace tintoral {

class TLabel;
class TWinControl;

class TStandardsTable {
 public:
  // Creates the labels on `panel` (which owns them).
  explicit TStandardsTable(TWinControl& panel);

  void Show(const TSliderColor& color);

  // The values as shown: one row per standard, cells in the order of
  // ValueRowNames.
  std::vector<std::vector<std::string>> ValueRows() const;
  static std::vector<std::string> ValueRowNames();

  // The label of a value: row 0 … 4 (Y, R-Y, B-Y, V/Cr, U/Cb), column 0 … 3.
  const TLabel& ValueLabel(int row, int column) const { return *values_[row][column]; }

 private:
  static constexpr int kValueRows = 5;
  std::array<std::array<TLabel*, kTvStandardCount>, kValueRows> values_{};
};

// A signal value as the table shows it: "+0,614", "0,300" (no sign for Y).
std::string SignalText(long double value, bool withSign);

}  // namespace tintoral
