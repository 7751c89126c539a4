// TiLCDMatrix: the layout of the cell grid and the paint.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "instruments/LCDMatrix.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/CellRowFill.h"
#include "platform/graphics/SaturateToInt.h"

namespace tintoral {
namespace {

// Cells of `cellSize` with `spacing` between them that fit `available`
// pixels, cut down to whole character pitches (none rather than a
// negative count when not even one fits).
std::int64_t CellsThatFit(std::int64_t available, std::int64_t cellSize, std::int64_t spacing, std::int64_t pitch) {
  const std::int64_t cells = std::max<std::int64_t>((spacing + available) / (cellSize + spacing), 0);
  return cells / pitch * pitch;
}

// The spare pixels of `available` beside `cells` cells.
std::int64_t SparePixels(std::int64_t available, std::int64_t cells, std::int64_t cellSize, std::int64_t spacing) {
  return available - cells * cellSize - (cells - 1) * spacing;
}

}  // namespace

TiLCDLayout TiLCDMatrix::Layout() const {
  const std::int64_t border = BorderStyle() != ibsNone ? 2 : 0;
  const std::int64_t innerLeft = border + outerMarginLeft_, innerTop = border + outerMarginTop_;
  const std::int64_t innerRight = std::int64_t{Width()} - 1 - border - outerMarginRight_;
  const std::int64_t innerBottom = std::int64_t{Height()} - 1 - border - outerMarginBottom_;
  const std::int64_t availableWidth = innerRight - innerLeft + 1, availableHeight = innerBottom - innerTop + 1;
  const std::int64_t pitchX = std::int64_t{charactersetWidth_} + characterSpacingHorz_;
  const std::int64_t pitchY = std::int64_t{charactersetHeight_} + characterSpacingVert_;
  const std::int64_t cellColumns = CellsThatFit(availableWidth, cellsWidth_, cellsSpacingHorz_, pitchX);
  const std::int64_t cellRows = CellsThatFit(availableHeight, cellsWidth_, cellsSpacingVert_, pitchY);

  TiLCDLayout l;
  l.BorderWidth = static_cast<int>(border);
  l.InnerLeft = SaturateToInt(innerLeft);
  l.InnerTop = SaturateToInt(innerTop);
  l.InnerRight = SaturateToInt(innerRight);
  l.InnerBottom = SaturateToInt(innerBottom);
  l.CellColumns = SaturateToInt(cellColumns);
  l.CellRows = SaturateToInt(cellRows);
  l.CharColumns = SaturateToInt((cellColumns + characterSpacingHorz_) / pitchX);
  l.CharRows = SaturateToInt((cellRows + characterSpacingVert_) / pitchY);
  l.GridLeft = SaturateToInt(SparePixels(availableWidth, cellColumns, cellsWidth_, cellsSpacingHorz_) / 2 + innerLeft);
  l.GridTop = SaturateToInt(SparePixels(availableHeight, cellRows, cellsWidth_, cellsSpacingVert_) / 2 + innerTop);
  return l;
}

void TiLCDMatrix::UpdateLayout() {
  const TiLCDLayout layout = Layout();
  GrowElements(std::int64_t{layout.CharColumns} * layout.CharRows);
}

namespace {

// Sets the cells lit in glyph row `glyphRow` of each character in `glyphs`
// to its colour, in `pixels`, the cell columns [first, first + size).
void LightGlyphRow(std::span<const TiLCDGlyphPlace> glyphs, int glyphRow, int glyphWidth, std::int64_t first,
                   std::span<std::uint32_t> pixels) {
  const std::int64_t end = first + static_cast<std::int64_t>(pixels.size());
  for (const TiLCDGlyphPlace& place : glyphs)
    for (std::uint32_t bits = place.Glyph->LitBits(glyphRow, glyphWidth); bits != 0; bits &= bits - 1) {
      const std::int64_t column = place.RightmostColumn - std::countr_zero(bits);
      if (column >= first && column < end) pixels[static_cast<std::size_t>(column - first)] = place.Pixel;
    }
}

}  // namespace

// The characters of character row `charRow` that lie in the cell columns
// `columns`, with their colours resolved once for all their glyph rows.
void TiLCDMatrix::CharacterRowGlyphs(const TiLCDLayout& layout, std::int64_t charRow, raster::CellRange columns,
                                     std::vector<TiLCDGlyphPlace>& glyphs) const {
  glyphs.clear();
  if (charRow >= layout.CharRows || columns.First >= columns.Last) return;
  const std::int64_t pitch = std::int64_t{charactersetWidth_} + characterSpacingHorz_;
  const std::int64_t last = std::min<std::int64_t>((columns.Last - 1) / pitch, std::int64_t{layout.CharColumns} - 1);
  for (std::int64_t charColumn = columns.First / pitch; charColumn <= last; ++charColumn) {
    const auto index = static_cast<std::size_t>(charRow * layout.CharColumns + charColumn);
    if (index >= elements_.size() || elements_[index].Code == 0) continue;
    const TiLCDElement& element = elements_[index];
    glyphs.push_back(TiLCDGlyphPlace{&characters_[element.Code], RGBToPixel(ColorToRGB(element.Color)),
                                     charColumn * pitch + charactersetWidth_ - 1});
  }
}

// Cell row by cell row, each visible cell written once: in the lit colour
// of a lit cell, else in the unlit colour (or left alone). Each cell belongs
// to one character position at most, so this is what filling the unlit
// cells and then each element's lit cells leaves.
void TiLCDMatrix::PaintCells(TCanvas& canvas, const TiLCDLayout& layout) const {
  TBitmap& bitmap = canvas.Target();
  const std::int64_t pitchX = std::int64_t{cellsWidth_} + cellsSpacingHorz_;
  const std::int64_t pitchY = std::int64_t{cellsWidth_} + cellsSpacingVert_;
  const std::int64_t charPitchY = std::int64_t{charactersetHeight_} + characterSpacingVert_;
  // Only the cells that reach into the bitmap are worked out.
  const raster::CellRange columns =
      raster::VisibleCells(layout.GridLeft, pitchX, cellsWidth_, layout.CellColumns, bitmap.Width());
  const raster::CellRange rows =
      raster::VisibleCells(layout.GridTop, pitchY, cellsWidth_, layout.CellRows, bitmap.Height());
  if (columns.First >= columns.Last || rows.First >= rows.Last) return;
  const std::uint32_t unlit = cellsShowOff_ ? RGBToPixel(ColorToRGB(cellsColorOff_)) : raster::kCellLeftAlone;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(columns.Last - columns.First));
  std::vector<TiLCDGlyphPlace> glyphs;
  for (std::int64_t row = rows.First; row < rows.Last; ++row) {
    const auto glyphRow = static_cast<int>(row % charPitchY);
    if (row == rows.First || glyphRow == 0) CharacterRowGlyphs(layout, row / charPitchY, columns, glyphs);
    std::fill(pixels.begin(), pixels.end(), unlit);
    if (glyphRow < charactersetHeight_) LightGlyphRow(glyphs, glyphRow, charactersetWidth_, columns.First, pixels);
    const raster::CellRowPlace place{layout.GridLeft + columns.First * pitchX, layout.GridTop + row * pitchY,
                                     cellsWidth_, cellsWidth_, pitchX};
    raster::FillCellRow(bitmap, place, pixels);
  }
  bitmap.Changed();
}

// The brush and pen end in the colour of the last cells painted, as after
// filling the unlit cells and then each element's lit cells in turn.
void TiLCDMatrix::SetLastCellColour(TCanvas& canvas, std::size_t elementCount) const {
  const auto lastElement = std::find_if(elements_.rend() - static_cast<std::ptrdiff_t>(elementCount), elements_.rend(),
                                        [](const TiLCDElement& element) { return element.Code != 0; });
  if (lastElement == elements_.rend() && !cellsShowOff_) return;
  const TColor last = lastElement != elements_.rend() ? lastElement->Color : cellsColorOff_;
  canvas.Brush().SetColor(last);
  canvas.Pen().SetColor(last);
}

void TiLCDMatrix::PaintTo(TCanvas& canvas) {
  DrawBackground(canvas, BackGroundColor());
  canvas.Brush().SetStyle(bsSolid);
  canvas.Pen().SetStyle(psSolid);
  const TiLCDLayout layout = Layout();
  // Elements past the last visible position are not drawn; with no
  // character column nothing is visible. A grid too large to hold is an
  // error here as in WriteText.
  const std::int64_t visible = std::int64_t{layout.CharColumns} * layout.CharRows;
  CheckElementCount(visible);
  PaintCells(canvas, layout);
  SetLastCellColour(canvas, std::min(elements_.size(), static_cast<std::size_t>(visible)));
}

}  // namespace tintoral
