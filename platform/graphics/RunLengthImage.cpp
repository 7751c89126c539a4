#include "platform/graphics/RunLengthImage.h"

#include <algorithm>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/RasterOps.h"

namespace tintoral {

TRunLengthImage::TRunLengthImage(const TBitmap& source) : width_(source.Width()), height_(source.Height()) {
  rowStart_.reserve(static_cast<std::size_t>(height_) + 1);
  for (int y = 0; y < height_; ++y) {
    rowStart_.push_back(runs_.size());
    const std::uint32_t* row = source.ScanLine(y);
    for (int x = 0; x < width_;) {
      const std::uint32_t pixel = row[x];
      while (x < width_ && row[x] == pixel) ++x;
      runs_.push_back({x, pixel});
    }
  }
  rowStart_.push_back(runs_.size());
  runs_.shrink_to_fit();
}

void TRunLengthImage::CopyTo(TBitmap& target, const TRect& area) const {
  const int left = std::max(area.Left, 0);
  const int right = std::min({area.Right, width_, target.Width()});
  const int top = std::max(area.Top, 0);
  const int bottom = std::min({area.Bottom, height_, target.Height()});
  if (left >= right) return;
  for (int y = top; y < bottom; ++y) {
    const auto rowEnd = runs_.begin() + static_cast<std::ptrdiff_t>(rowStart_[y + 1]);
    auto run = std::upper_bound(runs_.begin() + static_cast<std::ptrdiff_t>(rowStart_[y]), rowEnd, left,
                                [](int x, const Run& r) { return x < r.end; });
    std::uint32_t* line = target.ScanLine(y);
    for (int x = left; x < right; ++run) {
      const int end = std::min(run->end, right);
      raster::FillPixels(line + x, static_cast<std::size_t>(end - x), run->pixel);
      x = end;
    }
  }
  target.Changed();
}

}  // namespace tintoral
