#pragma once
// Draws a readout's row (instruments/SevenSegmentText.h) on a seven-segment
// display: background, then one cell per character through the display's
// hidden character, with the decimal mark in the gap after its cell.
#include "instruments/SevenSegmentDisplay.h"
#include "instruments/SevenSegmentText.h"
#include "platform/graphics/Canvas.h"

namespace tintoral {

// `cellCount` is the number of cells the layout has room for (digits plus
// the sign cell); the row may draw fewer.
void PaintSevenSegmentRow(TiSevenSegmentDisplay& display, TCanvas& canvas, const SevenSegmentRow& row, int cellCount);

// The x of the decimal mark placed before the cell at `nextCellX`: a tenth
// of a cell plus half a gap to the left, rounded to nearest, ties to even.
int DecimalMarkX(int nextCellX, int cellWidth, int digitSpacing);

}  // namespace tintoral
