#pragma once
// PNG decoding through libpng.
#include <cstddef>
#include <cstdint>

namespace tintoral {

class TBitmap;

// Decodes a PNG stream held in memory into `bitmap`, which takes the image's
// size. Every PNG colour type and bit depth is accepted, interlaced or not;
// 16-bit samples are scaled to 8 bits, palette and grey images become RGB,
// and transparency is composited onto white (the bitmap has no alpha). Gamma
// and colour-profile chunks are ignored: the stored samples are shown as they
// are. Images wider or taller than kMaxPngSide pixels are refused.
//
// Raises GraphicsError "Not a PNG image" when the data does not start with
// the PNG signature, and "PNG image is damaged: <reason>" when the stream is
// truncated or corrupt; the bitmap is then left unchanged.
void DecodePng(const std::uint8_t* data, std::size_t size, TBitmap& bitmap);

inline constexpr int kMaxPngSide = 16384;

}  // namespace tintoral
