// TiLCDMatrix: the layout of the cell grid and the paint.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "instruments/LCDMatrix.h"

namespace tintoral {
namespace {

int Saturate(std::int64_t value) {
  return static_cast<int>(
      std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

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

void TiLCDMatrix::UpdateLayout() {
  const std::int64_t border = BorderStyle() != ibsNone ? 2 : 0;
  const std::int64_t innerLeft = border + outerMarginLeft_, innerTop = border + outerMarginTop_;
  const std::int64_t innerRight = std::int64_t{Width()} - 1 - border - outerMarginRight_;
  const std::int64_t innerBottom = std::int64_t{Height()} - 1 - border - outerMarginBottom_;
  const std::int64_t availableWidth = innerRight - innerLeft + 1, availableHeight = innerBottom - innerTop + 1;
  const std::int64_t pitchX = std::int64_t{charactersetWidth_} + characterSpacingHorz_;
  const std::int64_t pitchY = std::int64_t{charactersetHeight_} + characterSpacingVert_;
  const std::int64_t cellColumns = CellsThatFit(availableWidth, cellsWidth_, cellsSpacingHorz_, pitchX);
  const std::int64_t cellRows = CellsThatFit(availableHeight, cellsWidth_, cellsSpacingVert_, pitchY);

  TiLCDLayout& l = layout_;
  l.BorderWidth = static_cast<int>(border);
  l.InnerLeft = Saturate(innerLeft);
  l.InnerTop = Saturate(innerTop);
  l.InnerRight = Saturate(innerRight);
  l.InnerBottom = Saturate(innerBottom);
  l.CellColumns = Saturate(cellColumns);
  l.CellRows = Saturate(cellRows);
  l.CharColumns = Saturate((cellColumns + characterSpacingHorz_) / pitchX);
  l.CharRows = Saturate((cellRows + characterSpacingVert_) / pitchY);
  l.GridLeft = Saturate(SparePixels(availableWidth, cellColumns, cellsWidth_, cellsSpacingHorz_) / 2 + innerLeft);
  l.GridTop = Saturate(SparePixels(availableHeight, cellRows, cellsWidth_, cellsSpacingVert_) / 2 + innerTop);
  GrowElements(std::int64_t{l.CharColumns} * l.CharRows);
}

void TiLCDMatrix::FillCell(TCanvas& canvas, int column, int row) const {
  const std::int64_t left = layout_.GridLeft + std::int64_t{column} * (std::int64_t{cellsWidth_} + cellsSpacingHorz_);
  const std::int64_t top = layout_.GridTop + std::int64_t{row} * (std::int64_t{cellsWidth_} + cellsSpacingVert_);
  canvas.FillRect(TRect{Saturate(left), Saturate(top), Saturate(left + cellsWidth_), Saturate(top + cellsWidth_)});
}

void TiLCDMatrix::PaintOffCells(TCanvas& canvas) const {
  canvas.Brush().SetColor(cellsColorOff_);
  canvas.Pen().SetColor(cellsColorOff_);
  for (int column = 0; column < layout_.CellColumns; ++column)
    for (int row = 0; row < layout_.CellRows; ++row) FillCell(canvas, column, row);
}

void TiLCDMatrix::PaintElement(TCanvas& canvas, std::size_t index) const {
  const TiLCDElement& element = elements_[index];
  const TiLCDCharacter& glyph = characters_[element.Code];
  const auto columns = static_cast<std::size_t>(layout_.CharColumns);
  const std::int64_t firstColumn =
      static_cast<std::int64_t>(index % columns) * (std::int64_t{charactersetWidth_} + characterSpacingHorz_);
  const std::int64_t firstRow =
      static_cast<std::int64_t>(index / columns) * (std::int64_t{charactersetHeight_} + characterSpacingVert_);
  canvas.Brush().SetColor(element.Color);
  canvas.Pen().SetColor(element.Color);
  for (int y = 0; y < charactersetHeight_; ++y)
    for (int x = 0; x < charactersetWidth_; ++x)
      if (glyph.IsLit(y, x, charactersetWidth_)) FillCell(canvas, Saturate(firstColumn + x), Saturate(firstRow + y));
}

void TiLCDMatrix::PaintTo(TCanvas& canvas) {
  DrawBackground(canvas, BackGroundColor());
  canvas.Brush().SetStyle(bsSolid);
  canvas.Pen().SetStyle(psSolid);
  UpdateLayout();
  if (cellsShowOff_) PaintOffCells(canvas);
  // Elements past the last visible position are not drawn; with no
  // character column nothing is visible.
  const std::size_t visible = static_cast<std::size_t>(std::int64_t{layout_.CharColumns} * layout_.CharRows);
  const std::size_t count = std::min(elements_.size(), visible);
  for (std::size_t index = 0; index < count; ++index)
    if (elements_[index].Code != 0) PaintElement(canvas, index);
}

}  // namespace tintoral
