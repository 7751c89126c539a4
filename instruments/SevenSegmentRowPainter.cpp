#include "instruments/SevenSegmentRowPainter.h"

#include <cmath>

namespace tintoral {

int DecimalMarkX(int nextCellX, int cellWidth, int digitSpacing) {
  const double offset = cellWidth / 10.0 + digitSpacing / 2.0;
  return nextCellX - static_cast<int>(std::nearbyint(offset));
}

namespace {

void DrawDecimalMark(TiSevenSegmentDisplay& display, TCanvas& canvas, const TDigitCellLayout& layout,
                     const SevenSegmentRow& row) {
  const TPoint next = layout.CellOrigin(row.markAfterCell);
  const TPoint origin{DecimalMarkX(next.X, layout.CellWidth, display.DigitSpacing()), next.Y};
  const TSevenSegmentCharacter mark = row.markChar == '.' ? sscPeriod : sscComma;
  display.HiddenCharacter().DrawCharacter(canvas, origin, mark, layout.CellWidth / 5, layout.CellHeight);
}

}  // namespace

void PaintSevenSegmentRow(TiSevenSegmentDisplay& display, TCanvas& canvas, const SevenSegmentRow& row, int cellCount) {
  display.SyncCharacter();
  display.DrawBackground(canvas, display.BackGroundColor());
  const TDigitCellLayout layout = display.DigitCellLayout(cellCount);
  const TiSevenSegmentCharacter& engine = display.HiddenCharacter();
  for (int i = 0; i < static_cast<int>(row.cells.size()); ++i) {
    if (i == row.markAfterCell) DrawDecimalMark(display, canvas, layout, row);
    const auto shape = TiSevenSegmentCharacter::CharToSevenSegment(row.cells[static_cast<std::size_t>(i)]);
    engine.DrawCharacter(canvas, layout.CellOrigin(i), shape, layout.CellWidth, layout.CellHeight);
  }
  if (row.markAfterCell == static_cast<int>(row.cells.size())) DrawDecimalMark(display, canvas, layout, row);
}

}  // namespace tintoral
