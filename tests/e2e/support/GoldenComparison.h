#pragma once
// Comparing a screenshot of the program's window with a golden picture that
// formshot rendered off-screen.
//
// The program takes the window system's colours (button face, shadows, window
// frame, ...) from the desktop's palette at start-up, as a desktop program
// should, while formshot renders with the classic table so that its pictures
// are the same on every machine. On the screen a classic system colour of the
// golden picture therefore shows as the desktop's colour for it. The same
// value may also be a plain colour that a control paints (black is both the
// classic window frame and the diagram's background), which shows unchanged.
// So each classic system-colour value of the golden picture may appear either
// unchanged or as its one substitute, learned once from the window as it
// starts; every other pixel must match exactly.
#include <map>
#include <string>
#include <vector>

#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"

namespace tintoral {
class TBitmap;
}

namespace tintoral::e2e {

class SystemColorSubstitution {
 public:
  // No substitution: pictures must match exactly.
  SystemColorSubstitution() = default;
  // For each classic system-colour value of `golden`, the colour `shot` shows
  // most often where it differs there: the desktop's colour for it. A few
  // wrong pixels cannot outvote the many of the faces and borders.
  static SystemColorSubstitution Learned(const TBitmap& golden, const TBitmap& shot, const std::vector<TRect>& ignored);

  // Whether a pixel of the golden colour may show as `shown`.
  bool Accepts(TColor golden, TColor shown) const;
  // " golden->shown" for every substitution, in hexadecimal RGB.
  std::string Text() const;

 private:
  std::map<TColor, TColor> substitutes_;
};

// An empty text when `shot` equals `golden` up to the substitution, pixels
// inside the `ignored` rectangles left out; otherwise what differs.
std::string Difference(const TBitmap& golden, const TBitmap& shot, const std::vector<TRect>& ignored,
                       const SystemColorSubstitution& substitution);
// An empty text when both pictures are the same pixel for pixel.
std::string ExactDifference(const TBitmap& expected, const TBitmap& actual);

}  // namespace tintoral::e2e
