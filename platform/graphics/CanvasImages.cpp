// TCanvas image operations: bitmaps and canvas rectangles copied with
// nearest-neighbour scaling, clipped to the target surface.
#include <algorithm>
#include <optional>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace tintoral {
namespace {

constexpr std::uint32_t RgbMask = 0x00FFFFFFu;

// A rectangle whose far edges may lie beyond the int range (a bitmap drawn
// near the largest coordinates).
struct Area {
  std::int64_t left, top, right, bottom;
  Area(const TRect& r) : left(r.Left), top(r.Top), right(r.Right), bottom(r.Bottom) {}
  Area(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) : left(l), top(t), right(r), bottom(b) {}
  bool Empty() const { return right <= left || bottom <= top; }
};

// The source coordinate sampled for destination offset i of `destLength`
// pixels mapped onto `sourceLength`: the source pixel under the centre of
// the destination pixel.
std::int64_t SampleAt(std::int64_t i, std::int64_t destLength, std::int64_t sourceStart, std::int64_t sourceLength) {
  if (destLength == sourceLength) return sourceStart + i;  // unscaled: no 128-bit division
  const __int128 scaled = static_cast<__int128>(2 * i + 1) * sourceLength / (2 * static_cast<__int128>(destLength));
  return sourceStart + static_cast<std::int64_t>(scaled);
}

// Copies sourceRect of source onto dest of target, scaling when the sizes
// differ. Source pixels outside the source bitmap are left out, and so are
// those equal to skipPixel (RGB compared) when given.
void Blit(TBitmap& target, const Area& dest, const TBitmap& source, const Area& sourceRect,
          std::optional<std::uint32_t> skipPixel) {
  if (dest.Empty() || sourceRect.Empty() || target.Empty() || source.Empty()) return;
  const std::int64_t destWidth = dest.right - dest.left;
  const std::int64_t destHeight = dest.bottom - dest.top;
  const std::int64_t sourceWidth = sourceRect.right - sourceRect.left;
  const std::int64_t sourceHeight = sourceRect.bottom - sourceRect.top;
  const int x0 = static_cast<int>(std::max<std::int64_t>(dest.left, 0));
  const int x1 = static_cast<int>(std::min<std::int64_t>(dest.right, target.Width()));
  const int y0 = static_cast<int>(std::max<std::int64_t>(dest.top, 0));
  const int y1 = static_cast<int>(std::min<std::int64_t>(dest.bottom, target.Height()));
  if (x0 >= x1 || y0 >= y1) return;

  std::vector<int> columns(x1 - x0);  // source column per target column, -1 when outside
  for (int x = x0; x < x1; ++x) {
    const std::int64_t sx = SampleAt(x - dest.left, destWidth, sourceRect.left, sourceWidth);
    columns[x - x0] = sx >= 0 && sx < source.Width() ? static_cast<int>(sx) : -1;
  }
  // Unscaled and opaque: the columns inside the source are one consecutive
  // run, copied a row at a time.
  const bool rowCopy = destWidth == sourceWidth && !skipPixel;
  const auto firstInside = std::find_if(columns.begin(), columns.end(), [](int c) { return c >= 0; });
  const auto pastInside = std::find_if(firstInside, columns.end(), [](int c) { return c < 0; });
  const std::uint32_t skip = skipPixel.value_or(0) & RgbMask;
  for (int y = y0; y < y1; ++y) {
    const std::int64_t sy = SampleAt(y - dest.top, destHeight, sourceRect.top, sourceHeight);
    if (sy < 0 || sy >= source.Height()) continue;
    const std::uint32_t* from = source.ScanLine(static_cast<int>(sy));
    std::uint32_t* to = target.ScanLine(y) + x0;
    if (rowCopy) {
      if (firstInside != pastInside)
        std::copy(from + *firstInside, from + *firstInside + (pastInside - firstInside),
                  to + (firstInside - columns.begin()));
      continue;
    }
    for (int i = 0; i < x1 - x0; ++i) {
      if (columns[i] < 0) continue;
      const std::uint32_t pixel = from[columns[i]];
      if (skipPixel && (pixel & RgbMask) == skip) continue;
      to[i] = pixel;
    }
  }
}

// Blit reading from a copy when source and target are the same bitmap, so
// overlapping areas copy the original pixels.
void SafeBlit(TBitmap& target, const Area& dest, const TBitmap& source, const Area& sourceRect,
              std::optional<std::uint32_t> skipPixel) {
  if (&source != &target) {
    Blit(target, dest, source, sourceRect, skipPixel);
    return;
  }
  TBitmap copy;
  copy.Assign(source);
  Blit(target, dest, copy, sourceRect, skipPixel);
}

std::optional<std::uint32_t> TransparentPixel(const TBitmap& bitmap) {
  if (!bitmap.Transparent()) return std::nullopt;
  return RGBToPixel(ColorToRGB(bitmap.TransparentColor()));
}

}  // namespace

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  const Area dest(x, y, std::int64_t{x} + bitmap.Width(), std::int64_t{y} + bitmap.Height());
  SafeBlit(target_, dest, bitmap, Area(0, 0, bitmap.Width(), bitmap.Height()), TransparentPixel(bitmap));
  target_.Changed();
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
  SafeBlit(target_, dest, bitmap, Area(0, 0, bitmap.Width(), bitmap.Height()), TransparentPixel(bitmap));
  target_.Changed();
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
  SafeBlit(target_, dest, source.Target(), sourceRect, std::nullopt);
  target_.Changed();
}

}  // namespace tintoral
