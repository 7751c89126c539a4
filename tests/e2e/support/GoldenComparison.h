#pragma once
// Comparing a screenshot of the program's window with a golden picture that
// formshot rendered off-screen. Both take the system colours from the same
// palette (a desktop with no theme of its own, as under Xvfb), so the
// pictures must match pixel for pixel, except inside the rectangles a test
// leaves out (where a focus rectangle shows, which formshot never draws).
#include <string>
#include <vector>

#include "platform/graphics/Geometry.h"

namespace tintoral {
class TBitmap;
}

namespace tintoral::e2e {

// An empty text when `shot` equals `golden`, pixels inside the `ignored`
// rectangles left out; otherwise what differs.
std::string Difference(const TBitmap& golden, const TBitmap& shot, const std::vector<TRect>& ignored = {});
// An empty text when both pictures are the same pixel for pixel.
std::string ExactDifference(const TBitmap& expected, const TBitmap& actual);

// `picture` with every pixel repeated as a factor x factor block, and a
// rectangle of it at that factor.
void Replicate(const TBitmap& picture, int factor, TBitmap& large);
TRect Scaled(const TRect& r, int factor);

}  // namespace tintoral::e2e
