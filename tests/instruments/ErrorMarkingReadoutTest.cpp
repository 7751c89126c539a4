// The error marking of an instrument in error keeps its value readable: on
// a readout whose digits its hatching lines cross, marking changes only
// pixels of the background, every digit pixel stays as it was.
#include <gtest/gtest.h>

#include <map>

#include "instruments/SevenSegmentInteger.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Color.h"

namespace tintoral {
namespace {

TColor MostCommonColor(const TBitmap& picture) {
  std::map<TColor, int> counts;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) ++counts[picture.Pixel(x, y)];
  return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

TEST(ErrorMarkingReadoutTest, TheMarkingOfAReadoutInErrorLeavesEveryDigitPixelUnchanged) {
  for (const auto& [width, height] : {std::pair{60, 30}, std::pair{200, 80}}) {
    TiSevenSegmentInteger readout(nullptr);
    readout.SetBounds(0, 0, width, height);
    readout.SetValue(88);
    readout.SetErrorFlag(true);
    TBitmap plain, marked;
    readout.RenderTo(plain);
    readout.SetErrorMarking(true);
    readout.RenderTo(marked);
    const TColor background = MostCommonColor(plain);
    const TColor red = static_cast<TColor>(ColorToRGB(clRed));
    int changed = 0, digitPixels = 0, digitPixelsOnHatching = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (plain.Pixel(x, y) != background) {
          ++digitPixels;
          digitPixelsOnHatching += (x + y) % 8 == 0;
          EXPECT_EQ(marked.Pixel(x, y), plain.Pixel(x, y)) << width << ": " << x << "," << y;
        } else if (marked.Pixel(x, y) != background) {
          EXPECT_EQ(marked.Pixel(x, y), red);
          ++changed;
        }
      }
    }
    EXPECT_GT(digitPixels, 0);
    EXPECT_GT(changed, 2 * (width + height)) << "the frame and the hatching show";
    EXPECT_GT(digitPixelsOnHatching, 0) << "hatching lines cross the digits";
  }
}

}  // namespace
}  // namespace tintoral
