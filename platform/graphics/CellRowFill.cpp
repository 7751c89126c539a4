#include "platform/graphics/CellRowFill.h"

#include <algorithm>
#include <cstddef>

namespace tintoral::raster {
namespace {

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
  const std::int64_t quotient = value / divisor;
  return quotient * divisor > value ? quotient - 1 : quotient;
}

// One pixel row of the cells [range.First, range.Last), each clipped to [0, width).
template <int CellWidth>
void FillRowCells(std::uint32_t* row, const CellRowPlace& place, std::span<const std::uint32_t> pixels, CellRange range,
                  std::int64_t width) {
  const std::int64_t cellWidth = CellWidth > 0 ? CellWidth : place.Width;
  for (std::int64_t i = range.First; i < range.Last; ++i) {
    const std::uint32_t pixel = pixels[static_cast<std::size_t>(i)];
    if (pixel == kCellLeftAlone) continue;
    const std::int64_t left = place.Left + i * place.Pitch;
    const std::int64_t x0 = std::max<std::int64_t>(left, 0), x1 = std::min(left + cellWidth, width);
    for (std::int64_t x = x0; x < x1; ++x) row[x] = pixel;
  }
}

// FillRowCells for every visible pixel row, with the common cell widths as
// constants so that their inner loops unroll.
template <int CellWidth>
void FillRows(TBitmap& bitmap, const CellRowPlace& place, std::span<const std::uint32_t> pixels, CellRange range) {
  const std::int64_t y0 = std::max<std::int64_t>(place.Top, 0);
  const std::int64_t y1 = std::min<std::int64_t>(place.Top + place.Height, bitmap.Height());
  for (std::int64_t y = y0; y < y1; ++y)
    FillRowCells<CellWidth>(bitmap.ScanLine(static_cast<int>(y)), place, pixels, range, bitmap.Width());
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
  switch (place.Width) {
    case 1: FillRows<1>(bitmap, place, pixels, range); break;
    case 2: FillRows<2>(bitmap, place, pixels, range); break;
    case 3: FillRows<3>(bitmap, place, pixels, range); break;
    default: FillRows<0>(bitmap, place, pixels, range); break;
  }
}

}  // namespace tintoral::raster
