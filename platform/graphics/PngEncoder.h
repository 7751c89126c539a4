#pragma once
// PNG encoding through libpng: 8-bit RGB or RGBA truecolour, not interlaced,
// without time chunks, so that the same pixels always give the same bytes.
// A bitmap's pixels go out as RGB without colour chunks; generated pictures
// may carry sRGB, gamma and resolution chunks.
#include <cstdint>
#include <string>
#include <vector>

namespace tintoral {

class TBitmap;

// Rows of 8-bit samples, packed without padding: 3 (RGB) or 4 (RGBA, straight
// alpha) samples a pixel.
struct TPngSamples {
  const std::uint8_t* data = nullptr;
  int width = 0;
  int height = 0;
  int channels = 3;
};

// The chunks beside the pixels, and how hard zlib works.
struct TPngChunks {
  bool srgb = false;           // sRGB, perceptual intent
  bool gamma = false;          // gAMA 1/2.2
  bool dotsPerInch96 = false;  // pHYs 3780 dots a metre
  int compressionLevel = -1;   // zlib's 0 ... 9; -1 for libpng's default
};

// The PNG stream of the samples. Raises GraphicsError for an empty image or
// a channel count other than 3 or 4, or when libpng reports an error.
std::vector<std::uint8_t> EncodePng(const TPngSamples& samples, const TPngChunks& chunks);

// Writes a PNG stream to a file, through a temporary file in the same folder
// that is renamed over it. Raises FileError "Cannot write <path>" when the
// file cannot be created or written completely; the target is then left as
// it was and the temporary file removed.
void SavePngBytes(const std::vector<std::uint8_t>& bytes, const std::string& path);

// The PNG stream of the bitmap's pixels. Raises GraphicsError for an empty
// bitmap, which PNG cannot hold, or when libpng reports an error.
std::vector<std::uint8_t> EncodePng(const TBitmap& bitmap);

// SavePngBytes(EncodePng(bitmap), path).
void SavePng(const TBitmap& bitmap, const std::string& path);

}  // namespace tintoral
