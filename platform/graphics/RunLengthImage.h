#pragma once
// TRunLengthImage: a bitmap's pixels kept row by row as runs of equal
// pixels, a compact copy of a picture of few colours (a drawn frame or
// background) that can be put back, wholly or in part, pixel for pixel.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/graphics/Geometry.h"

namespace tintoral {

class TBitmap;

class TRunLengthImage {
 public:
  TRunLengthImage() = default;
  explicit TRunLengthImage(const TBitmap& source);

  int Width() const { return width_; }
  int Height() const { return height_; }

  // Writes the kept pixels of `area` into `target` at the same place; the
  // part of `area` outside this image or outside `target` is left alone.
  void CopyTo(TBitmap& target, const TRect& area) const;

 private:
  struct Run {
    int end;  // the column after the run's last pixel
    std::uint32_t pixel;
  };

  int width_ = 0;
  int height_ = 0;
  std::vector<Run> runs_;
  std::vector<std::size_t> rowStart_;  // each row's first run, then the end of the last row
};

}  // namespace tintoral
