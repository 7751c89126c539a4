#pragma once
// Per-pixel raster operations of the canvas. For a fixed source colour P every
// one of the sixteen mix modes is, bit by bit, one of 0, 1, S or ~S, so it
// reduces to D = (S & keep) ^ flip. Copy is kept apart because it is the
// common case and needs no read of the destination.
#include <emmintrin.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "platform/graphics/Pen.h"

namespace tintoral::raster {

constexpr std::uint32_t OpaqueBits = 0xFF000000u;

// Sets `count` pixels to one word, eight per step: solid fills are most of
// what controls draw, and a plain loop is not vectorised at -O2.
inline void FillPixels(std::uint32_t* pixels, std::size_t count, std::uint32_t pixel) {
  const __m128i four = _mm_set1_epi32(static_cast<int>(pixel));
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i), four);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i + 4), four);
  }
  for (; i < count; ++i) pixels[i] = pixel;
}

// Stores the source pixel.
struct CopyOp {
  std::uint32_t pixel;
  void operator()(std::uint32_t& d) const { d = pixel; }
  void Span(std::uint32_t* d, int count) const { FillPixels(d, static_cast<std::size_t>(count), pixel); }
};

// Any other mix mode: D = (S & keep) ^ flip, alpha kept opaque.
struct MixOp {
  std::uint32_t keep;
  std::uint32_t flip;
  void operator()(std::uint32_t& d) const { d = ((d & keep) ^ flip) | OpaqueBits; }
  void Span(std::uint32_t* d, int count) const {
    for (int i = 0; i < count; ++i) (*this)(d[i]);
  }
};

// A paint source resolved for one drawing call: what it does to a pixel.
struct PixelPaint {
  enum class Kind { Nothing, Copy, Mix };
  Kind kind = Kind::Nothing;
  std::uint32_t pixel = 0;  // Copy
  MixOp mix{~0u, 0};        // Mix

  // rgb is 0x00BBGGRR; the result works on 0xFFRRGGBB pixel words.
  static PixelPaint Make(std::uint32_t rgb, TPenMode mode);
  bool Paints() const { return kind != Kind::Nothing; }
};

// Calls body(op) with the operation of paint as a concrete type, so loops
// inside body are compiled once per kind without a call per pixel.
template <class Body>
void WithPixelOp(const PixelPaint& paint, Body&& body) {
  switch (paint.kind) {
    case PixelPaint::Kind::Nothing: return;
    case PixelPaint::Kind::Copy: body(CopyOp{paint.pixel}); return;
    case PixelPaint::Kind::Mix: body(paint.mix); return;
  }
}

}  // namespace tintoral::raster
