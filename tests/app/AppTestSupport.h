#pragma once
// Shared by the program's tests: the classes its layouts use, registered
// once, and a picture's pixels for comparing two pictures.
#include <cstdint>
#include <vector>

#include "instruments/InstrumentClasses.h"
#include "platform/graphics/Bitmap.h"
#include "platform/window/Form.h"
#include "platform/window/StandardControls.h"

namespace tintoral::app_testing {

inline void RegisterLayoutClasses() {
  RegisterWindowClasses();
  RegisterStandardControls();
  RegisterInstruments();
}

// Every pixel word of a picture, row after row.
inline std::vector<std::uint32_t> PixelsOf(const TBitmap& bitmap) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < bitmap.Height(); ++y)
    pixels.insert(pixels.end(), bitmap.ScanLine(y), bitmap.ScanLine(y) + bitmap.Width());
  return pixels;
}

// True when every pixel that differs between two pictures of one size lies
// in one of `parts`: repainting only those shows the new picture.
inline bool ChangesLieIn(const TBitmap& before, const TBitmap& after, const std::vector<TRect>& parts) {
  for (int y = 0; y < after.Height(); ++y)
    for (int x = 0; x < after.Width(); ++x) {
      if (before.ScanLine(y)[x] == after.ScanLine(y)[x]) continue;
      bool inside = false;
      for (const TRect& part : parts) inside = inside || part.Contains(x, y);
      if (!inside) return false;
    }
  return true;
}

}  // namespace tintoral::app_testing
