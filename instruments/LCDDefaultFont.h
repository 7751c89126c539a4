#pragma once
// The built-in 5 × 7 font of the dot-matrix LCD: glyphs for the printable
// ASCII characters, the euro sign and the Latin-1 letters and signs of
// Windows-1252; every other code is blank.
#include <array>
#include <cstdint>

namespace tintoral {

inline constexpr int kDefaultGlyphWidth = 5;
inline constexpr int kDefaultGlyphHeight = 7;

// Seven rows, top first; in each row 16 is the leftmost column, 1 the
// rightmost.
using TLCDGlyphRows = std::array<std::int32_t, kDefaultGlyphHeight>;

// The rows of the built-in glyph of `code` (0 … 255); seven rows of 0 for a
// blank code or a code outside that range.
const TLCDGlyphRows& DefaultGlyphRows(int code);

}  // namespace tintoral
