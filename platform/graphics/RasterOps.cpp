#include "platform/graphics/RasterOps.h"

namespace tintoral::raster {
namespace {

constexpr std::uint32_t RgbBits = 0x00FFFFFFu;

// The mix mode's result for pen bits p over screen bits s (24 bits used).
std::uint32_t Mix(TPenMode mode, std::uint32_t p, std::uint32_t s) {
  switch (mode) {
    case pmBlack: return 0;
    case pmWhite: return ~0u;
    case pmNop: return s;
    case pmNot: return ~s;
    case pmCopy: return p;
    case pmNotCopy: return ~p;
    case pmMergePenNot: return p | ~s;
    case pmMaskPenNot: return p & ~s;
    case pmMergeNotPen: return ~p | s;
    case pmMaskNotPen: return ~p & s;
    case pmMerge: return p | s;
    case pmNotMerge: return ~(p | s);
    case pmMask: return p & s;
    case pmNotMask: return ~(p & s);
    case pmXor: return p ^ s;
    case pmNotXor: return ~(p ^ s);
  }
  return s;
}

std::uint32_t SwapRedBlue(std::uint32_t rgb) { return ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu); }

}  // namespace

PixelPaint PixelPaint::Make(std::uint32_t rgb, TPenMode mode) {
  const std::uint32_t p = SwapRedBlue(rgb & RgbBits);  // in pixel-word byte order
  PixelPaint paint;
  const std::uint32_t onZero = Mix(mode, p, 0) & RgbBits;
  const std::uint32_t onOnes = Mix(mode, p, RgbBits) & RgbBits;
  const std::uint32_t keep = onZero ^ onOnes;
  if (keep == RgbBits && onZero == 0) {
    paint.kind = Kind::Nothing;  // leaves every pixel as it is
  } else if (keep == 0) {
    paint.kind = Kind::Copy;
    paint.pixel = onZero | OpaqueBits;
  } else {
    paint.kind = Kind::Mix;
    paint.mix = MixOp{keep, onZero};
  }
  return paint;
}

}  // namespace tintoral::raster
