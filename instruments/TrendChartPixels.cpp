#include "instruments/TrendChartPixels.h"

#include <algorithm>
#include <cstddef>

namespace tintoral {

void FillTrendBar(TBitmap& surface, int left, int right, int top, int bottom, std::uint32_t pixel) {
  left = std::max(left, 0);
  right = std::min(right, surface.Width());
  top = std::max(top, 0);
  bottom = std::min(bottom, surface.Height());
  if (left >= right || top >= bottom) return;
  const auto stride = static_cast<std::ptrdiff_t>(surface.Width());
  std::uint32_t* row = surface.ScanLine(top) + left;
  const int width = right - left;
  if (width == 1) {
    for (int y = top; y < bottom; ++y, row += stride) *row = pixel;
    return;
  }
  for (int y = top; y < bottom; ++y, row += stride) std::fill(row, row + width, pixel);
}

// A line one column across and n rows down (or up) is walked along its rows:
// row i lies in the first column while 2i + n - 1 < 2n, that is for the
// first n / 2 + 1 rows, and in the second after; with n < 2 the line is its
// start point alone.
void JoinNextColumn(TBitmap& surface, int x, int fromRow, int toRow, std::uint32_t pixel) {
  const int rows = toRow > fromRow ? toRow - fromRow : fromRow - toRow;
  if (rows < 2) {
    FillTrendBar(surface, x, x + 1, fromRow, fromRow + 1, pixel);
    return;
  }
  const int inFirst = rows / 2 + 1;
  if (toRow > fromRow) {
    FillTrendBar(surface, x, x + 1, fromRow, fromRow + inFirst, pixel);
    FillTrendBar(surface, x + 1, x + 2, fromRow + inFirst, toRow, pixel);
  } else {
    FillTrendBar(surface, x, x + 1, fromRow - inFirst + 1, fromRow + 1, pixel);
    FillTrendBar(surface, x + 1, x + 2, toRow + 1, fromRow - inFirst + 1, pixel);
  }
}

}  // namespace tintoral
