#pragma once
// Helpers for pixel tests of the standard controls: ring checks and colour
// names in failure messages.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"
#include "platform/window/Form.h"
#include "platform/window/StandardControls.h"
#include "runtime/FormReader.h"
#include "tests/platform/graphics/TextPixels.h"

namespace tintoral::test {

inline std::string Hex(TColor color) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color) & 0xFFFFFFu);
  return text;
}

// Checks the one-pixel ring on the border of r: top row and left column in
// topLeft, bottom row and right column (with the bottom-left and top-right
// corners) in bottomRight. Returns "" or the first wrong pixel.
inline std::string CheckRing(const TBitmap& bitmap, const TRect& r, TColor topLeft, TColor bottomRight) {
  const auto expect = [&](int x, int y, TColor want) -> std::string {
    const TColor got = bitmap.Pixel(x, y);
    if (got == static_cast<TColor>(ColorToRGB(want))) return "";
    return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " + Hex(got) + ", expected " +
           Hex(static_cast<TColor>(ColorToRGB(want)));
  };
  for (int x = r.Left; x < r.Right; ++x) {
    if (auto e = expect(x, r.Top, x < r.Right - 1 ? topLeft : bottomRight); !e.empty()) return e;
    if (auto e = expect(x, r.Bottom - 1, bottomRight); !e.empty()) return e;
  }
  for (int y = r.Top; y < r.Bottom; ++y) {
    if (auto e = expect(r.Left, y, y < r.Bottom - 1 ? topLeft : bottomRight); !e.empty()) return e;
    if (auto e = expect(r.Right - 1, y, bottomRight); !e.empty()) return e;
  }
  return "";
}

// Checks that every pixel of r has the colour. Returns "" or the first wrong pixel.
inline std::string CheckFill(const TBitmap& bitmap, const TRect& r, TColor color) {
  const TColor want = static_cast<TColor>(ColorToRGB(color));
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (bitmap.Pixel(x, y) != want)
        return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " + Hex(bitmap.Pixel(x, y)) +
               ", expected " + Hex(want);
  return "";
}

// Where pixels of a colour lie within an area of the bitmap (bounds in bitmap coordinates).
inline testing::Region RegionInside(const TBitmap& bitmap, const TRect& area, TColor color) {
  testing::Region region;
  TRect& b = region.bounds;
  const TColor want = static_cast<TColor>(ColorToRGB(color));
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) {
      if (bitmap.Pixel(x, y) != want) continue;
      if (region.count++ == 0) b = {x, y, x + 1, y + 1};
      b = {std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1), std::max(b.Bottom, y + 1)};
    }
  return region;
}

inline TRect Shrunk(const TRect& r, int n) { return {r.Left + n, r.Top + n, r.Right - n, r.Bottom - n}; }

// Reads a form stream whose root is a TForm (the standard controls registered).
inline std::unique_ptr<TForm> ReadForm(std::string_view text) {
  RegisterWindowClasses();
  RegisterStandardControls();
  SystemColors::ResetToClassic();
  std::unique_ptr<TComponent> root(ReadComponentText(text));
  auto* form = dynamic_cast<TForm*>(root.get());
  if (!form) return nullptr;
  root.release();
  return std::unique_ptr<TForm>(form);
}

// The lines of a form stream text that set properties (trimmed), for
// checking what a writer wrote.
inline bool HasLine(const std::string& text, const std::string& line) {
  std::size_t at = 0;
  while ((at = text.find(line, at)) != std::string::npos) {
    const bool startsLine = at == 0 || text[at - 1] == ' ' || text[at - 1] == '\n';
    const std::size_t end = at + line.size();
    if (startsLine && (end == text.size() || text[end] == '\n')) return true;
    at = end;
  }
  return false;
}

}  // namespace tintoral::test
