#pragma once
// TiLCDCharacter: one glyph of the dot-matrix LCD's character set, a list of
// row values, top row first. With a glyph W columns wide, the cell in column
// k of a row (k = 0 at the left) is lit when bit W - 1 - k of the row value
// is set and that bit's value is positive as a signed 32-bit number.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "runtime/Persistent.h"

namespace tintoral {

class TiLCDCharacter : public TPersistent {
  TINTORAL_CLASS(TiLCDCharacter, TPersistent)

 public:
  TiLCDCharacter() = default;

  void AddRow(std::int32_t value) { rows_.push_back(value); }
  void AddRows(std::span<const std::int32_t> values);
  void ClearRows() { rows_.clear(); }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Cuts rows from the end or appends rows of 0 until there are `count`
  // (none for a negative count).
  void SetRowCount(int count);
  // These three raise ListIndexError outside 0 … RowCount() - 1.
  std::int32_t GetRow(int index) const;
  void SetRow(int index, std::int32_t value);
  void DeleteRow(int index);

  // Replaces the rows with the seven rows of the built-in glyph of `code`
  // (0 … 255); any other code leaves no rows.
  void LoadDefaultGlyph(int code);

  // Whether column `column` of row `row` is lit in a glyph `width` columns
  // wide; rows and columns outside the glyph are unlit.
  bool IsLit(int row, int column, int width) const;
  // The lit columns of row `row` in a glyph `width` columns wide, column k as
  // bit width - 1 - k (only bits 0 … 30 can be set); 0 outside the glyph.
  std::uint32_t LitBits(int row, int width) const {
    if (row < 0 || row >= RowCount() || width <= 0) return 0;
    const std::uint32_t columns = width >= 31 ? 0x7FFFFFFFu : (1u << width) - 1u;
    return static_cast<std::uint32_t>(rows_[static_cast<std::size_t>(row)]) & columns;
  }

  // From another TiLCDCharacter: its rows. Other sources go to the base.
  void Assign(const TPersistent& source) override;

  // ---- Published --------------------------------------------------------------
  // The rows' decimal values joined by "," ("" without rows).
  std::string Data() const;
  // The text is cut at every ","; piece i (blanks kept, empty pieces too) is
  // converted by TextToInt and stored as row i, for i below both the row
  // count and the number of pieces. The row count never changes. A piece
  // that is no integer raises ConvertError; the rows before it stay stored.
  void SetData(const std::string& text);

 private:
  void CheckIndex(int index) const;

  std::vector<std::int32_t> rows_;
};

}  // namespace tintoral
