#include "platform/graphics/CellRowFill.h"

#include <algorithm>
#include <cstddef>

namespace tintoral::raster {
namespace {

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
  const std::int64_t quotient = value / divisor;
  return quotient * divisor > value ? quotient - 1 : quotient;
}

// Cells of `width` × `rows` pixels, cell i at first + i * pitch, filled
// with pixels[i] unless it is kCellLeftAlone. Side is the cell's width and
// height when they are the same small constant, so that each cell compiles
// to straight stores; 0 takes them at run time.
template <int Side>
void FillBlocks(std::uint32_t* first, std::ptrdiff_t pitch, std::ptrdiff_t stride, std::int64_t width,
                std::int64_t rows, std::span<const std::uint32_t> pixels) {
  const std::int64_t w = Side > 0 ? Side : width, h = Side > 0 ? Side : rows;
  for (const std::uint32_t pixel : pixels) {
    if (pixel != kCellLeftAlone) {
      std::uint32_t* row = first;
      for (std::int64_t r = 0; r < h; ++r, row += stride) std::fill_n(row, w, pixel);
    }
    first += pitch;
  }
}

// The cells [range.First, range.Last) of `place` over the rows [y0, y1):
// those wholly inside the bitmap's columns on the fast path, the (at most
// two) cut ones clipped.
void FillCells(TBitmap& bitmap, const CellRowPlace& place, std::span<const std::uint32_t> pixels, CellRange range,
               std::int64_t y0, std::int64_t y1) {
  const std::int64_t width = bitmap.Width(), rows = y1 - y0;
  const std::ptrdiff_t stride = width, pitch = place.Pitch;
  std::uint32_t* const top = bitmap.ScanLine(static_cast<int>(y0));
  // Wholly inside: a one-pixel cell at the same place reaches into [0, width - Width + 1).
  CellRange inside = VisibleCells(place.Left, place.Pitch, 1, range.Last, width - place.Width + 1);
  inside.First = std::max(inside.First, range.First);
  inside.Last = std::max(inside.Last, inside.First);
  const auto clipped = [&](std::int64_t i) {
    const std::uint32_t pixel = pixels[static_cast<std::size_t>(i)];
    const std::int64_t left = place.Left + i * place.Pitch;
    const std::int64_t x0 = std::max<std::int64_t>(left, 0), x1 = std::min(left + place.Width, width);
    FillBlocks<0>(top + x0, 0, stride, x1 - x0, rows, std::span(&pixel, 1));
  };
  for (std::int64_t i = range.First; i < inside.First; ++i) clipped(i);
  if (inside.First < inside.Last) {
    std::uint32_t* const start = top + (place.Left + inside.First * place.Pitch);
    const auto cells =
        pixels.subspan(static_cast<std::size_t>(inside.First), static_cast<std::size_t>(inside.Last - inside.First));
    switch (rows == place.Width ? place.Width : 0) {
      case 1: FillBlocks<1>(start, pitch, stride, place.Width, rows, cells); break;
      case 2: FillBlocks<2>(start, pitch, stride, place.Width, rows, cells); break;
      case 3: FillBlocks<3>(start, pitch, stride, place.Width, rows, cells); break;
      default: FillBlocks<0>(start, pitch, stride, place.Width, rows, cells); break;
    }
  }
  for (std::int64_t i = inside.Last; i < range.Last; ++i) clipped(i);
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
  FillCells(bitmap, place, pixels, range, y0, y1);
}

}  // namespace tintoral::raster
