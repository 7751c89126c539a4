#pragma once
// Line layout of formatted text (TCanvas::DrawText): line breaks, "&" prefix
// marks, word wrapping, tab stops and ellipses, measured in a resolved font.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/FontResolver.h"

namespace tintoral {

struct LaidOutLine {
  std::string text;              // the characters shown
  std::vector<bool> underlined;  // per character: marked by a "&" prefix
  std::size_t sourceBegin = 0;   // the part of the source text this line shows
  std::size_t sourceEnd = 0;
  bool shortened = false;  // part of it was replaced by an ellipsis
  int width = 0;
};

// Distance between tab stops for the flags (0 when tabs are not expanded).
int TabStopFor(const ResolvedFont& font, std::uint16_t flags);

// Lays out text for a rectangle maxWidth pixels wide, following the
// DrawTextFlag bits that concern lines (single line, word break, prefix,
// expand tabs and the ellipses).
std::vector<LaidOutLine> LayoutText(std::string_view text, const ResolvedFont& font, int maxWidth, std::uint16_t flags);

// A line's shown characters written back as source text; with prefix
// processing, "&" is doubled and underlined characters get their "&" again.
std::string SourceTextOf(const LaidOutLine& line, bool prefix);

}  // namespace tintoral
