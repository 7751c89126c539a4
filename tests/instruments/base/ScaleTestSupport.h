#pragma once
// Helpers for the position and scale tests: a recorder of hooks and events
// in one list, and pixel sets of a bitmap.
#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Geometry.h"

namespace tintoral::test {

// Every hook and event of one scenario, in the order they happened.
struct EventLog {
  std::vector<std::string> entries;
  void Add(std::string entry) { entries.push_back(std::move(entry)); }
  std::vector<std::string> Take() { return std::exchange(entries, {}); }
};

using PixelSet = std::set<std::pair<int, int>>;

// A bitmap of the given size filled with one colour.
inline void Fill(TBitmap& bitmap, TColor color) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) bitmap.SetPixel(x, y, color);
}

// The pixels inside `area` that differ from `background`.
inline PixelSet PixelsNot(const TBitmap& bitmap, TColor background, const TRect& area) {
  PixelSet result;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (bitmap.Pixel(x, y) != background) result.insert({x, y});
  return result;
}

// The smallest rectangle around a pixel set (empty set: all zero).
inline TRect Bounds(const PixelSet& pixels) {
  TRect r{0, 0, 0, 0};
  bool first = true;
  for (const auto& [x, y] : pixels) {
    if (first) r = {x, y, x + 1, y + 1};
    first = false;
    r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
  }
  return r;
}

inline bool Inside(const TRect& inner, const TRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

// A horizontal run of pixels [x0, x1) on row y.
inline PixelSet Row(int x0, int x1, int y) {
  PixelSet result;
  for (int x = x0; x < x1; ++x) result.insert({x, y});
  return result;
}

}  // namespace tintoral::test
