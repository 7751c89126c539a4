#pragma once
// Helpers for pixel tests of the canvas: a bitmap filled with one colour, and
// pixel sets and windows to compare.
#include <set>
#include <utility>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace tintoral::test {

using PixelSet = std::set<std::pair<int, int>>;

// A bitmap of the given size filled with background, and its canvas with
// classic system colours.
struct Surface {
  TBitmap bitmap;
  TCanvas& canvas;

  Surface(int width, int height, TColor background = clWhite) : bitmap(width, height), canvas(bitmap.Canvas()) {
    SystemColors::ResetToClassic();
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, background);
  }

  TColor At(int x, int y) const { return bitmap.Pixel(x, y); }

  // Every pixel of the given colour.
  PixelSet PixelsOf(TColor color) const {
    PixelSet result;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x)
        if (bitmap.Pixel(x, y) == color) result.insert({x, y});
    return result;
  }

  // Every pixel that differs from the given colour.
  PixelSet PixelsNot(TColor color) const {
    PixelSet result;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x)
        if (bitmap.Pixel(x, y) != color) result.insert({x, y});
    return result;
  }
};

// The pixels of a rectangular area (right and bottom exclusive).
inline PixelSet AreaPixels(int left, int top, int right, int bottom) {
  PixelSet result;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) result.insert({x, y});
  return result;
}

// True when the window of `large` at (dx, dy) equals `small` pixel for pixel.
inline bool SameWindow(const TBitmap& small, const TBitmap& large, int dx, int dy) {
  for (int y = 0; y < small.Height(); ++y)
    for (int x = 0; x < small.Width(); ++x)
      if (small.Pixel(x, y) != large.Pixel(x + dx, y + dy)) return false;
  return true;
}

}  // namespace tintoral::test
