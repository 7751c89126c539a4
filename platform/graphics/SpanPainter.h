#pragma once
// Horizontal spans: the unit in which scan converters hand out the pixels of a
// shape, and the painter that applies a pen or brush to them on a bitmap.
#include <cstdint>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/RasterOps.h"

namespace tintoral::raster {

// Receives the pixels [x0, x1) of row y. Spans may reach outside the surface;
// the receiver clips.
class SpanSink {
 public:
  virtual void Span(int y, int x0, int x1) = 0;

 protected:
  ~SpanSink() = default;
};

// The 8 x 8 pattern of a hatch brush style, one byte per row, bit 7 the
// leftmost pixel; nullptr for solid and clear brushes.
const std::uint8_t* HatchPattern(TBrushStyle style);

// Paints spans on a bitmap with one resolved paint, solid or through a hatch
// pattern aligned to the surface origin (pattern gaps stay untouched).
class SpanPainter final : public SpanSink {
 public:
  SpanPainter(TBitmap& surface, const PixelPaint& paint, const std::uint8_t* hatch = nullptr)
      : surface_(surface), paint_(paint), hatch_(hatch) {}

  bool Paints() const { return paint_.Paints(); }
  void Span(int y, int x0, int x1) override;
  void Pixel(int x, int y) { Span(y, x, x + 1); }
  // The pixels (x, y0 .. y1-1): a vertical span, clipped like Span.
  void Column(int x, int y0, int y1);

 private:
  TBitmap& surface_;
  PixelPaint paint_;
  const std::uint8_t* hatch_;
};

}  // namespace tintoral::raster
