#include "tests/e2e/support/GoldenComparison.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Color.h"

namespace tintoral::e2e {
namespace {

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

class SubstitutionCheck {
 public:
  // False when the pair breaks the substitution (see the header).
  bool Accept(TColor golden, TColor shown) {
    if (golden == shown) return true;
    if (!classic_.count(golden)) return false;
    const auto [entry, inserted] = substitutes_.try_emplace(golden, shown);
    return inserted || entry->second == shown;
  }
  // "golden -> shown" of every substitution seen.
  std::string Substitutions() const {
    std::string text;
    for (const auto& [golden, shown] : substitutes_) text += " " + Hex(golden) + "->" + Hex(shown);
    return text;
  }

 private:
  const std::set<TColor> classic_ = ClassicSystemColorValues();
  std::map<TColor, TColor> substitutes_;
};

// An empty text when every pixel outside `ignored` passes `accept`, else
// how many do not and the first of them.
template <class Accept>
std::string Difference(const TBitmap& golden, const TBitmap& shot, const std::vector<TRect>& ignored, Accept accept) {
  if (golden.Width() != shot.Width() || golden.Height() != shot.Height())
    return "size " + std::to_string(shot.Width()) + "x" + std::to_string(shot.Height()) + " instead of " +
           std::to_string(golden.Width()) + "x" + std::to_string(golden.Height());
  int differing = 0;
  std::string first;
  for (int y = 0; y < golden.Height(); ++y)
    for (int x = 0; x < golden.Width(); ++x) {
      if (Ignored(ignored, x, y) || accept(golden.Pixel(x, y), shot.Pixel(x, y))) continue;
      if (differing++ == 0)
        first = "at " + std::to_string(x) + "," + std::to_string(y) + " " + Hex(shot.Pixel(x, y)) + " instead of " +
                Hex(golden.Pixel(x, y));
    }
  if (differing == 0) return "";
  return std::to_string(differing) + " pixels differ, first " + first;
}

}  // namespace

std::string DifferenceUpToSystemColors(const TBitmap& golden, const TBitmap& shot, const std::vector<TRect>& ignored) {
  SubstitutionCheck check;
  const std::string difference =
      Difference(golden, shot, ignored, [&](TColor g, TColor s) { return check.Accept(g, s); });
  return difference.empty() ? "" : difference + "; system colours seen:" + check.Substitutions();
}

std::string ExactDifference(const TBitmap& expected, const TBitmap& actual) {
  return Difference(expected, actual, {}, [](TColor e, TColor a) { return e == a; });
}

}  // namespace tintoral::e2e
