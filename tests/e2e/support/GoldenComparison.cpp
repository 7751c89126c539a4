#include "tests/e2e/support/GoldenComparison.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "platform/graphics/Bitmap.h"

namespace tintoral::e2e {
namespace {

// The classic table, which this process keeps: it never loads the desktop's palette.
std::set<TColor> ClassicSystemColorValues() {
  SystemColors::ResetToClassic();
  std::set<TColor> values;
  for (int index = 0; index < SystemColorCount; ++index) values.insert(ColorFromBits(SystemColors::Get(index)));
  return values;
}

std::string Hex(TColor color) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color) & 0xFFFFFFu);
  return text;
}

bool Ignored(const std::vector<TRect>& ignored, int x, int y) {
  return std::any_of(ignored.begin(), ignored.end(), [&](const TRect& r) { return r.Contains(x, y); });
}

}  // namespace

SystemColorSubstitution SystemColorSubstitution::Learned(const TBitmap& golden, const TBitmap& shot,
                                                         const std::vector<TRect>& ignored) {
  const std::set<TColor> classic = ClassicSystemColorValues();
  std::map<TColor, std::map<TColor, int>> seen;
  for (int y = 0; y < std::min(golden.Height(), shot.Height()); ++y)
    for (int x = 0; x < std::min(golden.Width(), shot.Width()); ++x) {
      const TColor g = golden.Pixel(x, y), s = shot.Pixel(x, y);
      if (g != s && classic.count(g) && !Ignored(ignored, x, y)) ++seen[g][s];
    }
  SystemColorSubstitution learned;
  for (const auto& [g, counts] : seen)
    learned.substitutes_[g] =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
  return learned;
}

bool SystemColorSubstitution::Accepts(TColor golden, TColor shown) const {
  if (golden == shown) return true;
  const auto substitute = substitutes_.find(golden);
  return substitute != substitutes_.end() && substitute->second == shown;
}

std::string SystemColorSubstitution::Text() const {
  std::string text;
  for (const auto& [golden, shown] : substitutes_) text += " " + Hex(golden) + "->" + Hex(shown);
  return text;
}

std::string Difference(const TBitmap& golden, const TBitmap& shot, const std::vector<TRect>& ignored,
                       const SystemColorSubstitution& substitution) {
  if (golden.Width() != shot.Width() || golden.Height() != shot.Height())
    return "size " + std::to_string(shot.Width()) + "x" + std::to_string(shot.Height()) + " instead of " +
           std::to_string(golden.Width()) + "x" + std::to_string(golden.Height());
  int differing = 0;
  std::string first;
  for (int y = 0; y < golden.Height(); ++y)
    for (int x = 0; x < golden.Width(); ++x) {
      if (Ignored(ignored, x, y) || substitution.Accepts(golden.Pixel(x, y), shot.Pixel(x, y))) continue;
      if (differing++ == 0)
        first = "at " + std::to_string(x) + "," + std::to_string(y) + " " + Hex(shot.Pixel(x, y)) + " instead of " +
                Hex(golden.Pixel(x, y));
    }
  if (differing == 0) return "";
  return std::to_string(differing) + " pixels differ, first " + first +
         "; system colours shown as:" + substitution.Text();
}

std::string ExactDifference(const TBitmap& expected, const TBitmap& actual) {
  return Difference(expected, actual, {}, SystemColorSubstitution());
}

}  // namespace tintoral::e2e
