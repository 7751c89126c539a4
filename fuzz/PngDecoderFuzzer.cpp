// Feeds arbitrary bytes to the PNG decoder. A refusal must be GraphicsError
// and leave the bitmap as it was; a decoded image must fit the largest
// bitmap and encode to a PNG that decodes again to the same pixels.
// Anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PngDecoder.h"
#include "platform/graphics/PngEncoder.h"
#include "runtime/Exception.h"

using namespace tintoral;

namespace {

bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TBitmap bitmap(2, 3);
  bitmap.SetPixel(1, 2, clRed);
  try {
    DecodePng(data, size, bitmap);
  } catch (const GraphicsError&) {
    if (bitmap.Width() != 2 || bitmap.Height() != 3 || bitmap.Pixel(1, 2) != clRed) std::abort();
    return 0;
  }
  if (bitmap.Empty() || bitmap.Width() > kMaxBitmapSide || bitmap.Height() > kMaxBitmapSide) std::abort();
  const std::vector<std::uint8_t> encoded = EncodePng(bitmap);
  TBitmap again;
  DecodePng(encoded.data(), encoded.size(), again);
  if (!SamePixels(bitmap, again)) std::abort();
  return 0;
}
