// TiLCDMatrix: properties, character set, elements, text and the
// "Characters" stream property.
#include "instruments/LCDMatrix.h"

#include <cstddef>
#include <string>

#include "platform/window/ControlProperties.h"
#include "runtime/ClassBuilder.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

constexpr TColor DefaultBackGroundColor = 0x0093945F;
constexpr char DefaultCharactersetName[] = "(Default)";

}  // namespace

const TClassInfo& TiLCDMatrix::StaticClass() {
  using T = TiLCDMatrix;
  static const TClassInfo info = DescribeClass<T>("TiLCDMatrix", TiCustomComponent::StaticClass(), [](auto& b) {
    b.Property("Text", &T::Text, &T::SetText);
    b.Property("CellsColorOn", &T::CellsColorOn, &T::SetCellsColorOn).Default(clAqua).TypeName("TColor");
    b.Property("CellsColorOff", &T::CellsColorOff, &T::SetCellsColorOff).Default(clTeal).TypeName("TColor");
    b.Property("CellsShowOff", &T::CellsShowOff, &T::SetCellsShowOff).Default(true);
    b.Property("CellsWidth", &T::CellsWidth, &T::SetCellsWidth).Default(2);
    b.Property("CellsSpacingHorz", &T::CellsSpacingHorz, &T::SetCellsSpacingHorz).Default(1);
    b.Property("CellsSpacingVert", &T::CellsSpacingVert, &T::SetCellsSpacingVert).Default(1);
    b.Property("CharacterSpacingHorz", &T::CharacterSpacingHorz, &T::SetCharacterSpacingHorz).Default(1);
    b.Property("CharacterSpacingVert", &T::CharacterSpacingVert, &T::SetCharacterSpacingVert).Default(1);
    b.Property("CharactersetWidth", &T::CharactersetWidth, &T::SetCharactersetWidth).Default(kDefaultGlyphWidth);
    b.Property("CharactersetHeight", &T::CharactersetHeight, &T::SetCharactersetHeight).Default(kDefaultGlyphHeight);
    b.Property("CharactersetName", &T::CharactersetName);
    // The margins have no stream default: they are always written, so that
    // no value is ever taken for a default and lost.
    b.Property("OuterMarginLeft", &T::OuterMarginLeft, &T::SetOuterMarginLeft);
    b.Property("OuterMarginTop", &T::OuterMarginTop, &T::SetOuterMarginTop);
    b.Property("OuterMarginRight", &T::OuterMarginRight, &T::SetOuterMarginRight);
    b.Property("OuterMarginBottom", &T::OuterMarginBottom, &T::SetOuterMarginBottom);
    b.Property("BackGroundColor", &T::BackGroundColor, &T::SetBackGroundColor)
        .Default(DefaultBackGroundColor)
        .TypeName("TColor");
    b.Property("BorderStyle", &T::BorderStyle, &T::SetBorderStyle).Default(ibsRaised);
    PublishControlProperties(b, {"Align"});
    b.StreamProperty("Characters", &T::ReadCharacters, &T::WriteCharacters);
  });
  return info;
}

TiLCDMatrix::TiLCDMatrix(TComponent* owner) : TiCustomComponent(owner) {
  SetBorderStyle(ibsRaised);
  SetBackGroundColor(DefaultBackGroundColor);
  LoadDefaultCharacterset();
  SetBounds(Left(), Top(), 300, 100);
}

// ---- Setters ----------------------------------------------------------------------

void TiLCDMatrix::SetAtLeast(int value, int minimum, int& field) {
  if (value >= minimum) SetPropertyField(value, field, irkRepaint);
}

void TiLCDMatrix::SetCellsColorOn(TColor value) {
  if (!SetPropertyField(value, cellsColorOn_, irkStoreOnly)) return;
  for (TiLCDElement& element : elements_) element.Color = value;
  RequestRepaint();
}

namespace {

void CheckGlyphSide(const char* side, int value) {
  if (value <= TiLCDMatrix::kMaxCharactersetSide) return;
  throw GraphicsError("Character set " + std::string(side) + " too large: " + std::to_string(value) +
                      " (the largest is " + std::to_string(TiLCDMatrix::kMaxCharactersetSide) + ")");
}

}  // namespace

void TiLCDMatrix::SetCharactersetWidth(int value) {
  CheckGlyphSide("width", value);
  SetAtLeast(value, 1, charactersetWidth_);
}

void TiLCDMatrix::SetCharactersetHeight(int value) {
  CheckGlyphSide("height", value);
  if (value <= 0 || value == charactersetHeight_) return;
  charactersetHeight_ = value;
  characters_.SetRowCountOfAll(value);
  RequestRepaint();
}

void TiLCDMatrix::LoadDefaultCharacterset() {
  characters_.LoadDefaultGlyphs();
  SetCharactersetWidth(kDefaultGlyphWidth);
  SetCharactersetHeight(kDefaultGlyphHeight);
  charactersetName_ = DefaultCharactersetName;
}

void TiLCDMatrix::ReadCharacters(TReader& reader) {
  characters_.ReadCharacters(reader);
  RequestRepaint();
}

// ---- Text and elements ------------------------------------------------------------------

void TiLCDMatrix::SetText(const std::string& value) {
  text_ = value;
  ClearElements();
  WriteText(value, 0, 0, cellsColorOn_);
}

void TiLCDMatrix::ClearElements() {
  for (TiLCDElement& element : elements_) element = TiLCDElement{cellsColorOn_, 0};
  RequestRepaint();
}

void TiLCDMatrix::CheckElementCount(std::int64_t count) {
  if (count > kMaxElements)
    throw GraphicsError("LCD too large: " + std::to_string(count) + " characters (the largest is " +
                        std::to_string(kMaxElements) + ")");
}

void TiLCDMatrix::GrowElements(std::int64_t count) {
  CheckElementCount(count);
  if (count > static_cast<std::int64_t>(elements_.size()))
    elements_.resize(static_cast<std::size_t>(count), TiLCDElement{cellsColorOn_, 0});
}

void TiLCDMatrix::WriteText(const std::string& text, int column, int row, TColor color) {
  const TiLCDLayout layout = Layout();
  GrowElements(std::int64_t{layout.CharColumns} * layout.CharRows);
  const std::int64_t start = std::int64_t{column} + std::int64_t{row} * layout.CharColumns;
  GrowElements(start + static_cast<std::int64_t>(text.size()));
  for (std::size_t k = 0; k < text.size(); ++k) {
    const std::int64_t index = start + static_cast<std::int64_t>(k);
    if (index < 0) continue;
    elements_[static_cast<std::size_t>(index)] = TiLCDElement{color, static_cast<std::uint8_t>(text[k])};
  }
  RequestRepaint();
}

}  // namespace tintoral
