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
// unchanged or as one other colour, the same one throughout the picture; every
// other pixel must match exactly. A misplaced or missing detail always shows
// up: it puts a colour where the golden picture has another one, which is
// neither unchanged nor the one substitute of its system colour.
#include <string>
#include <vector>

#include "platform/graphics/Geometry.h"

namespace tintoral {
class TBitmap;
}

namespace tintoral::e2e {

// An empty text when `shot` equals `golden` up to the substitution of system
// colours described above, pixels inside the `ignored` rectangles left out;
// otherwise a description of what differs.
std::string DifferenceUpToSystemColors(const TBitmap& golden, const TBitmap& shot, const std::vector<TRect>& ignored);
// An empty text when both pictures are the same pixel for pixel; otherwise
// a description of what differs.
std::string ExactDifference(const TBitmap& expected, const TBitmap& actual);

}  // namespace tintoral::e2e
