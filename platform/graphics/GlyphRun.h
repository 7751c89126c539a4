#pragma once
// Measuring and painting runs of Windows-1252 text in a resolved font,
// straight onto a bitmap's pixels. A run is positioned by the top-left corner
// of its text cell; glyphs follow each other by their advances (no kerning).
#include <cstdint>
#include <string_view>

#include "platform/graphics/FontResolver.h"
#include "platform/graphics/Geometry.h"

namespace tintoral {

class TBitmap;

// With tabStop > 0 a tab moves to the next multiple of tabStop from the start
// of the run; with 0 a tab is an ordinary (empty) character.
int RunWidth(const ResolvedFont& font, std::string_view text, int tabStop = 0);
// The pen position after ch when it starts at x (x measured from the run's start).
int AdvancePen(const ResolvedFont& font, unsigned char ch, int x, int tabStop);

// All painting is limited to clip, which must lie inside the bitmap.
// pixel is a bitmap pixel word (0xFFRRGGBB).
void PaintRun(TBitmap& target, const ResolvedFont& font, int x, int y, std::string_view text, int tabStop,
              std::uint32_t pixel, const TRect& clip);
void FillArea(TBitmap& target, const TRect& area, std::uint32_t pixel, const TRect& clip);
// The font's own underline and strike-out strokes under / through a run.
void PaintFontLines(TBitmap& target, const ResolvedFont& font, int x, int y, int width, std::uint32_t pixel,
                    const TRect& clip);

}  // namespace tintoral
