#include "platform/graphics/CellRowFill.h"

#include <algorithm>
#include <cstddef>

namespace tintoral::raster {
namespace {

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
  const std::int64_t quotient = value / divisor;
  return quotient * divisor > value ? quotient - 1 : quotient;
}

// One cell's block: `rows` rows of `width` pixels (CellWidth when it is not 0,
// so that the common widths compile to straight stores) from `top` on.
template <int CellWidth>
void FillBlock(std::uint32_t* top, std::ptrdiff_t stride, std::int64_t rows, std::int64_t width, std::uint32_t pixel) {
  const std::int64_t n = CellWidth > 0 ? CellWidth : width;
  for (std::int64_t r = 0; r < rows; ++r, top += stride) std::fill_n(top, n, pixel);
}

// The cells [range.First, range.Last) over the rows [y0, y1): those wholly
// inside the bitmap's columns as blocks of the constant width, the (at most
// two) cut ones clipped.
template <int CellWidth>
void FillCells(TBitmap& bitmap, const CellRowPlace& place, std::span<const std::uint32_t> pixels, CellRange range,
               std::int64_t y0, std::int64_t y1) {
  const std::int64_t width = bitmap.Width(), rows = y1 - y0;
  const std::ptrdiff_t stride = width;
  std::uint32_t* const top = bitmap.ScanLine(static_cast<int>(y0));
  for (std::int64_t i = range.First; i < range.Last; ++i) {
    const std::uint32_t pixel = pixels[static_cast<std::size_t>(i)];
    if (pixel == kCellLeftAlone) continue;
    const std::int64_t left = place.Left + i * place.Pitch;
    if (left >= 0 && left + place.Width <= width) {
      FillBlock<CellWidth>(top + left, stride, rows, place.Width, pixel);
    } else {
      const std::int64_t x0 = std::max<std::int64_t>(left, 0), x1 = std::min(left + place.Width, width);
      FillBlock<0>(top + x0, stride, rows, x1 - x0, pixel);
    }
  }
}

}  // namespace

CellRange VisibleCells(std::int64_t origin, std::int64_t pitch, std::int64_t size, std::int64_t count,
                       std::int64_t limit) {
  // Cell i is visible when origin + i * pitch + size > 0 and origin + i * pitch < limit.
  const std::int64_t first = FloorDiv(-origin - size, pitch) + 1;
  const std::int64_t last = FloorDiv(limit - 1 - origin, pitch) + 1;
  return {std::clamp<std::int64_t>(first, 0, count), std::clamp<std::int64_t>(last, 0, count)};
}

void FillCellRow(TBitmap& bitmap, const CellRowPlace& place, std::span<const std::uint32_t> pixels) {
  if (place.Width <= 0 || place.Height <= 0 || place.Pitch <= 0) return;
  const CellRange range =
      VisibleCells(place.Left, place.Pitch, place.Width, static_cast<std::int64_t>(pixels.size()), bitmap.Width());
  if (range.First >= range.Last) return;
  const std::int64_t y0 = std::max<std::int64_t>(place.Top, 0);
  const std::int64_t y1 = std::min<std::int64_t>(place.Top + place.Height, bitmap.Height());
  if (y0 >= y1) return;
  switch (place.Width) {
    case 1: FillCells<1>(bitmap, place, pixels, range, y0, y1); break;
    case 2: FillCells<2>(bitmap, place, pixels, range, y0, y1); break;
    case 3: FillCells<3>(bitmap, place, pixels, range, y0, y1); break;
    default: FillCells<0>(bitmap, place, pixels, range, y0, y1); break;
  }
}

}  // namespace tintoral::raster
