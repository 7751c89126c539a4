#include "tests/e2e/support/GoldenComparison.h"

#include <algorithm>
#include <cstdio>

#include "platform/graphics/Bitmap.h"

namespace tintoral::e2e {
namespace {

std::string Hex(TColor color) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color) & 0xFFFFFFu);
  return text;
}

bool Ignored(const std::vector<TRect>& ignored, int x, int y) {
  return std::any_of(ignored.begin(), ignored.end(), [&](const TRect& r) { return r.Contains(x, y); });
}

}  // namespace

std::string Difference(const TBitmap& golden, const TBitmap& shot, const std::vector<TRect>& ignored) {
  if (golden.Width() != shot.Width() || golden.Height() != shot.Height())
    return "size " + std::to_string(shot.Width()) + "x" + std::to_string(shot.Height()) + " instead of " +
           std::to_string(golden.Width()) + "x" + std::to_string(golden.Height());
  int differing = 0;
  std::string first;
  for (int y = 0; y < golden.Height(); ++y)
    for (int x = 0; x < golden.Width(); ++x) {
      if (golden.Pixel(x, y) == shot.Pixel(x, y) || Ignored(ignored, x, y)) continue;
      if (differing++ == 0)
        first = "at " + std::to_string(x) + "," + std::to_string(y) + " " + Hex(shot.Pixel(x, y)) + " instead of " +
                Hex(golden.Pixel(x, y));
    }
  if (differing == 0) return "";
  return std::to_string(differing) + " pixels differ, first " + first;
}

std::string ExactDifference(const TBitmap& expected, const TBitmap& actual) { return Difference(expected, actual); }

void Replicate(const TBitmap& picture, int factor, TBitmap& large) {
  large.SetSize(picture.Width() * factor, picture.Height() * factor);
  for (int y = 0; y < large.Height(); ++y)
    for (int x = 0; x < large.Width(); ++x) large.ScanLine(y)[x] = picture.ScanLine(y / factor)[x / factor];
}

TRect Scaled(const TRect& r, int factor) {
  return {r.Left * factor, r.Top * factor, r.Right * factor, r.Bottom * factor};
}

}  // namespace tintoral::e2e
