#include "platform/graphics/SpanPainter.h"

#include <algorithm>

namespace tintoral::raster {
namespace {

constexpr std::uint8_t HatchPatterns[][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // bsHorizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // bsVertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // bsFDiagonal: down to the right
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // bsBDiagonal: up to the right
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // bsCross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // bsDiagCross
};

}  // namespace

const std::uint8_t* HatchPattern(TBrushStyle style) {
  if (style < bsHorizontal || style > bsDiagCross) return nullptr;
  return HatchPatterns[style - bsHorizontal];
}

void SpanPainter::Span(int y, int x0, int x1) {
  if (y < 0 || y >= surface_.Height()) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, surface_.Width());
  if (x0 >= x1) return;
  std::uint32_t* row = surface_.ScanLine(y);
  const std::uint8_t* hatch = hatch_;
  WithPixelOp(paint_, [&](const auto& op) {
    if (!hatch) {
      op.Span(row + x0, x1 - x0);
      return;
    }
    const unsigned bits = hatch[y & 7];
    for (int x = x0; x < x1; ++x)
      if (bits & (0x80u >> (x & 7))) op(row[x]);
  });
}

void SpanPainter::Column(int x, int y0, int y1) {
  if (x < 0 || x >= surface_.Width()) return;
  y0 = std::max(y0, 0);
  y1 = std::min(y1, surface_.Height());
  if (y0 >= y1) return;
  const std::uint8_t* hatch = hatch_;
  const unsigned mask = 0x80u >> (x & 7);
  WithPixelOp(paint_, [&](const auto& op) {
    for (int y = y0; y < y1; ++y)
      if (!hatch || (hatch[y & 7] & mask)) op(surface_.ScanLine(y)[x]);
  });
}

}  // namespace tintoral::raster
