#pragma once
// The two shapes a trend channel is mostly made of, written straight into
// the pixels: a column bar (a pen-wide box from the column's maximum to its
// minimum) and the one-pixel line that joins a column to the next one.
// Both paint exactly the pixels the canvas would, clipped to the bitmap.
#include <cstdint>

#include "platform/graphics/Bitmap.h"

namespace tintoral {

// Pixels left … right - 1 of rows top … bottom - 1.
void FillTrendBar(TBitmap& surface, int left, int right, int top, int bottom, std::uint32_t pixel);

// The one-pixel line from (x, fromRow) to (x + 1, toRow) without its end
// point, as TCanvas::MoveTo and LineTo draw it with a solid copy pen.
void JoinNextColumn(TBitmap& surface, int x, int fromRow, int toRow, std::uint32_t pixel);

}  // namespace tintoral
