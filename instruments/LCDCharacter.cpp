#include "instruments/LCDCharacter.h"

#include <cstddef>
#include <string_view>

#include "instruments/LCDDefaultFont.h"
#include "runtime/ClassBuilder.h"
#include "runtime/Exception.h"
#include "runtime/NumberText.h"

namespace tintoral {

const TClassInfo& TiLCDCharacter::StaticClass() {
  using T = TiLCDCharacter;
  static const TClassInfo info = DescribeClass<T>("TiLCDCharacter", TPersistent::StaticClass(),
                                                  [](auto& b) { b.Property("Data", &T::Data, &T::SetData); });
  return info;
}

void TiLCDCharacter::AddRows(std::span<const std::int32_t> values) {
  rows_.insert(rows_.end(), values.begin(), values.end());
}

void TiLCDCharacter::SetRowCount(int count) {
  if (count < 0) count = 0;
  rows_.resize(static_cast<std::size_t>(count), 0);
}

void TiLCDCharacter::CheckIndex(int index) const {
  if (index < 0 || index >= RowCount())
    throw ListIndexError("List index out of bounds (" + std::to_string(index) + ")");
}

std::int32_t TiLCDCharacter::GetRow(int index) const {
  CheckIndex(index);
  return rows_[static_cast<std::size_t>(index)];
}

void TiLCDCharacter::SetRow(int index, std::int32_t value) {
  CheckIndex(index);
  rows_[static_cast<std::size_t>(index)] = value;
}

void TiLCDCharacter::DeleteRow(int index) {
  CheckIndex(index);
  rows_.erase(rows_.begin() + index);
}

void TiLCDCharacter::LoadDefaultGlyph(int code) {
  ClearRows();
  if (code < 0 || code > 255) return;
  AddRows(DefaultGlyphRows(code));
}

bool TiLCDCharacter::IsLit(int row, int column, int width) const {
  if (column < 0 || column >= width) return false;
  // Bit 31 is the sign: its value is not positive, so it never lights.
  const std::int64_t bit = std::int64_t{width} - 1 - column;
  return bit <= 30 && ((LitBits(row, width) >> bit) & 1u);
}

void TiLCDCharacter::Assign(const TPersistent& source) {
  if (const auto* other = dynamic_cast<const TiLCDCharacter*>(&source)) {
    rows_ = other->rows_;
    return;
  }
  TPersistent::Assign(source);
}

std::string TiLCDCharacter::Data() const {
  std::string text;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (i > 0) text += ',';
    text += std::to_string(rows_[i]);
  }
  return text;
}

void TiLCDCharacter::SetData(const std::string& text) {
  const std::string_view rest(text);
  std::size_t start = 0;
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    const std::size_t comma = rest.find(',', start);
    rows_[row] =
        TextToInt(rest.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return;
    start = comma + 1;
  }
}

}  // namespace tintoral
