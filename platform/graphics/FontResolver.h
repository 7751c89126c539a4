#pragma once
// Turns a TFont into a Qt font with the metrics, advances and glyph masks the
// canvas draws text with. Resolved fonts are cached for the life of the
// program: measuring and drawing text only looks them up.
//
// Glyphs are rendered without antialiasing and with full hinting: at the
// small sizes of instrument captions this gives the crisp one-colour strokes
// of classic screen fonts, and every text pixel is either untouched or in the
// font colour. Where a bold face would keep one-pixel stems at its size, its
// glyphs are overstruck one pixel wider so that bold still reads as bold.
#include <QFont>
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/graphics/Font.h"

namespace tintoral {

// A run of covered pixels in one row of a glyph mask, [x0, x1) of row y;
// full when every one of them is fully covered.
struct CoverageSpan {
  int y = 0;
  int x0 = 0;
  int x1 = 0;
  bool full = false;
};

// Coverage of one glyph (0 = none, 255 = full), placed relative to the pen
// position at the top of the text cell.
struct GlyphMask {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;  // width * height, rows top to bottom
  std::vector<CoverageSpan> spans;     // the covered runs, row by row, for painting
};

class ResolvedFont {
 public:
  ResolvedFont(const QFont& font, TFontStyles style);
  ResolvedFont(const ResolvedFont&) = delete;
  ResolvedFont& operator=(const ResolvedFont&) = delete;

  const QFont& QtFont() const { return font_; }
  int EmPixels() const { return font_.pixelSize(); }
  int Ascent() const { return ascent_; }
  int Descent() const { return descent_; }
  int CellHeight() const { return ascent_ + descent_; }
  int AverageCharWidth() const { return averageCharWidth_; }

  // Advance of one Windows-1252 character; control characters have none.
  int Advance(unsigned char ch) const { return advances_[ch]; }
  int TextWidth(std::string_view text) const;
  const GlyphMask& Glyph(unsigned char ch) const;  // rendered on first use

  bool Underline() const { return (style_ & FontStyleBit(fsUnderline)) != 0; }
  bool StrikeOut() const { return (style_ & FontStyleBit(fsStrikeOut)) != 0; }
  // Rows of the underline and strike-out strokes, from the top of the cell.
  int UnderlineTop() const { return underlineTop_; }
  int StrikeOutTop() const { return strikeOutTop_; }
  int LineThickness() const { return lineThickness_; }

 private:
  QFont font_;
  TFontStyles style_;
  bool overstrike_;  // bold drawn as regular strokes widened by a pixel
  int ascent_ = 0;
  int descent_ = 0;
  int averageCharWidth_ = 0;
  int underlineTop_ = 0;
  int strikeOutTop_ = 0;
  int lineThickness_ = 1;
  std::array<int, 256> advances_{};
  mutable std::array<std::unique_ptr<GlyphMask>, 256> glyphs_;
};

// The em size in pixels that a TFont height asks for (a positive height is a
// cell height, matched against the family's cell heights).
int EmPixelsForHeight(const QFont& family, int height);

// The resolved form of a font, from the cache. Needs the GUI application.
const ResolvedFont& ResolveFont(const TFont& font);

}  // namespace tintoral
