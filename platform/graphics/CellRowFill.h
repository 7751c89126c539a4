#pragma once
// A row of equal cells on a regular pitch, each filled with its own solid
// colour or left alone: the cells of a dot-matrix display, painted straight
// into the bitmap's rows instead of one rectangle fill per cell. The result
// is that of FillRect in copy mode for every painted cell.
#include <cstdint>
#include <span>

#include "platform/graphics/Bitmap.h"

namespace tintoral::raster {

// The pixel word that paints nothing: every painted word is opaque.
inline constexpr std::uint32_t kCellLeftAlone = 0;

// Where a row of cells lies: cell i covers columns [Left + i * Pitch,
// Left + i * Pitch + Width) and rows [Top, Top + Height).
struct CellRowPlace {
  std::int64_t Left = 0;
  std::int64_t Top = 0;
  std::int64_t Width = 0;
  std::int64_t Height = 0;
  std::int64_t Pitch = 1;  // at least Width, so cells never overlap
};

// A range of cell indices, [First, Last).
struct CellRange {
  std::int64_t First = 0;
  std::int64_t Last = 0;
};

// Of `count` cells, cell i covering [origin + i * pitch, origin + i * pitch
// + size), those that reach into [0, limit). The pitch is at least 1.
CellRange VisibleCells(std::int64_t origin, std::int64_t pitch, std::int64_t size, std::int64_t count,
                       std::int64_t limit);

// Fills cell i with the pixel word pixels[i] (0xFFRRGGBB), except cells of
// kCellLeftAlone, clipped to the bitmap. Does not call the bitmap's Changed.
void FillCellRow(TBitmap& bitmap, const CellRowPlace& place, std::span<const std::uint32_t> pixels);

}  // namespace tintoral::raster
