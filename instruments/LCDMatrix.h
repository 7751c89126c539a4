#pragma once
// TiLCDMatrix: a dot-matrix LCD panel. A grid of small square cells, grouped
// into character positions, shows a text in the glyphs of its character set
// (by default the built-in 5 × 7 font); unlit cells can be shown in a dim
// colour. The text is held in per-position elements in reading order and
// laid out at every paint with the then current grid, so it wraps after the
// last column and whatever falls below the last line is not drawn.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "instruments/LCDCharacter.h"
#include "instruments/LCDCharacterSet.h"
#include "instruments/LCDDefaultFont.h"
#include "instruments/base/InstrumentComponent.h"
#include "platform/graphics/CellRowFill.h"

namespace tintoral {

// One character position: the colour it is drawn in and its character code
// (0: nothing is drawn).
struct TiLCDElement {
  TColor Color = clAqua;
  std::uint8_t Code = 0;
};

// Where the cell grid lies, as the last layout found it. Inner* are
// inclusive pixel coordinates; GridLeft, GridTop is the top-left pixel of
// cell (0, 0).
struct TiLCDLayout {
  int BorderWidth = 0;
  int InnerLeft = 0;
  int InnerTop = 0;
  int InnerRight = 0;
  int InnerBottom = 0;
  int CellColumns = 0;
  int CellRows = 0;
  int CharColumns = 10;
  int CharRows = 0;
  int GridLeft = 0;
  int GridTop = 0;
};

// A character being painted in a row of the grid: its glyph, its colour as
// a pixel word and the cell column of its rightmost glyph column.
struct TiLCDGlyphPlace {
  const TiLCDCharacter* Glyph = nullptr;
  std::uint32_t Pixel = 0;
  std::int64_t RightmostColumn = 0;
};

class TiLCDMatrix : public TiCustomComponent {
  TINTORAL_CLASS(TiLCDMatrix, TiCustomComponent)

 public:
  explicit TiLCDMatrix(TComponent* owner);

  // ---- Published ----------------------------------------------------------
  // Windows-1252 bytes; each byte is the code of the glyph drawn for it.
  // Setting it always rewrites the elements: ClearElements, then WriteText
  // at position (0, 0) in CellsColorOn. (The matrix keeps its own text; the
  // control's caption text is not used.)
  const std::string& Text() const { return text_; }
  void SetText(const std::string& value);
  TColor CellsColorOn() const { return cellsColorOn_; }
  // Also recolours every element.
  void SetCellsColorOn(TColor value);
  TColor CellsColorOff() const { return cellsColorOff_; }
  void SetCellsColorOff(TColor value) { SetPropertyField(value, cellsColorOff_, irkRepaint); }
  bool CellsShowOff() const { return cellsShowOff_; }
  void SetCellsShowOff(bool value) { SetPropertyField(value, cellsShowOff_, irkRepaint); }
  // Sizes in pixels or cells. Values out of range (a cell width or glyph
  // size of 0 or less, a negative spacing or margin) are ignored, also while
  // a layout is read: the layout divides by them.
  int CellsWidth() const { return cellsWidth_; }
  void SetCellsWidth(int value) { SetAtLeast(value, 1, cellsWidth_); }
  int CellsSpacingHorz() const { return cellsSpacingHorz_; }
  void SetCellsSpacingHorz(int value) { SetAtLeast(value, 0, cellsSpacingHorz_); }
  int CellsSpacingVert() const { return cellsSpacingVert_; }
  void SetCellsSpacingVert(int value) { SetAtLeast(value, 0, cellsSpacingVert_); }
  int CharacterSpacingHorz() const { return characterSpacingHorz_; }
  void SetCharacterSpacingHorz(int value) { SetAtLeast(value, 0, characterSpacingHorz_); }
  int CharacterSpacingVert() const { return characterSpacingVert_; }
  void SetCharacterSpacingVert(int value) { SetAtLeast(value, 0, characterSpacingVert_); }
  int OuterMarginLeft() const { return outerMarginLeft_; }
  void SetOuterMarginLeft(int value) { SetAtLeast(value, 0, outerMarginLeft_); }
  int OuterMarginTop() const { return outerMarginTop_; }
  void SetOuterMarginTop(int value) { SetAtLeast(value, 0, outerMarginTop_); }
  int OuterMarginRight() const { return outerMarginRight_; }
  void SetOuterMarginRight(int value) { SetAtLeast(value, 0, outerMarginRight_); }
  int OuterMarginBottom() const { return outerMarginBottom_; }
  void SetOuterMarginBottom(int value) { SetAtLeast(value, 0, outerMarginBottom_); }
  // Glyph sides above this raise GraphicsError naming the limit: each glyph
  // holds a row per unit of height, and painting walks every row and column.
  static constexpr int kMaxCharactersetSide = 1024;
  // Characters in the element grid above this raise GraphicsError: more
  // than the largest bitmap shows with the default glyphs on 1-pixel cells.
  static constexpr std::int64_t kMaxElements = std::int64_t{1} << 23;
  // Columns per glyph; stored rows are not changed.
  int CharactersetWidth() const { return charactersetWidth_; }
  void SetCharactersetWidth(int value);
  // Rows per glyph: every character is padded with blank rows or cut at the
  // bottom to this many.
  int CharactersetHeight() const { return charactersetHeight_; }
  void SetCharactersetHeight(int value);
  const std::string& CharactersetName() const { return charactersetName_; }

  // ---- Character set ------------------------------------------------------
  // The character of `code`; ListIndexError outside 0 … 255.
  TiLCDCharacter& Characters(int code) { return characters_.Character(code); }
  const TLCDCharacterSet& CharacterSet() const { return characters_; }
  // The built-in font in every character, glyphs 5 × 7, name "(Default)".
  void LoadDefaultCharacterset();

  // ---- Elements -----------------------------------------------------------
  const std::vector<TiLCDElement>& Elements() const { return elements_; }
  // Every element back to CellsColorOn and code 0.
  void ClearElements();
  // Writes the text's codes in `color` into the elements from character
  // position (column, row) on, in reading order. Positions before the first
  // element are skipped.
  void WriteText(const std::string& text, int column, int row, TColor color);

  // ---- Layout and painting --------------------------------------------------
  // The cell grid as the current size and settings give it.
  TiLCDLayout Layout() const;
  // Grows the element list to fill the grid of Layout().
  void UpdateLayout();
  // Background and border, the unlit cells when CellsShowOff, then the lit
  // cells of every visible element.
  void PaintTo(TCanvas& canvas) override;

 private:
  void SetAtLeast(int value, int minimum, int& field);
  // GraphicsError when a grid of `count` characters is too large to hold.
  static void CheckElementCount(std::int64_t count);
  void GrowElements(std::int64_t count);
  void CharacterRowGlyphs(const TiLCDLayout& layout, std::int64_t charRow, raster::CellRange columns,
                          std::vector<TiLCDGlyphPlace>& glyphs) const;
  void PaintCells(TCanvas& canvas, const TiLCDLayout& layout) const;
  void SetLastCellColour(TCanvas& canvas, std::size_t elementCount) const;

  // "Characters" stream property.
  void ReadCharacters(TReader& reader);
  void WriteCharacters(TWriter& writer) const { characters_.WriteCharacters(writer); }

  std::string text_;
  TColor cellsColorOn_ = clAqua;
  TColor cellsColorOff_ = clTeal;
  bool cellsShowOff_ = true;
  int cellsWidth_ = 2;
  int cellsSpacingHorz_ = 1;
  int cellsSpacingVert_ = 1;
  int characterSpacingHorz_ = 1;
  int characterSpacingVert_ = 1;
  int outerMarginLeft_ = 2;
  int outerMarginTop_ = 2;
  int outerMarginRight_ = 2;
  int outerMarginBottom_ = 2;
  int charactersetWidth_ = kDefaultGlyphWidth;
  int charactersetHeight_ = kDefaultGlyphHeight;
  std::string charactersetName_;
  TLCDCharacterSet characters_{kDefaultGlyphHeight};
  std::vector<TiLCDElement> elements_;
};

}  // namespace tintoral
