#include "platform/graphics/GlyphRun.h"

#include <algorithm>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/RasterOps.h"

namespace tintoral {
namespace {

std::uint32_t Blend(std::uint32_t under, std::uint32_t over, std::uint32_t coverage) {
  const std::uint32_t rest = 255 - coverage;
  std::uint32_t result = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t channel =
        (((over >> shift) & 0xFFu) * coverage + ((under >> shift) & 0xFFu) * rest + 127) / 255;
    result |= channel << shift;
  }
  return result;
}

void PaintGlyph(TBitmap& target, const GlyphMask& glyph, int penX, int cellTop, std::uint32_t pixel,
                const TRect& clip) {
  const int left = penX + glyph.left;
  const int top = cellTop + glyph.top;
  const TRect box{left, top, left + glyph.width, top + glyph.height};
  const TRect visible = IntersectRects(box, clip);
  if (visible.IsEmpty()) return;
  const bool whole = visible == box;  // the usual case: no span needs clipping
  for (const CoverageSpan& span : glyph.spans) {
    const int y = top + span.y;
    int x0 = left + span.x0;
    int x1 = left + span.x1;
    if (!whole) {
      if (y < visible.Top) continue;
      if (y >= visible.Bottom) break;
      x0 = std::max(x0, visible.Left);
      x1 = std::min(x1, visible.Right);
      if (x0 >= x1) continue;
    }
    std::uint32_t* row = target.ScanLine(y);
    if (span.full) {
      for (int x = x0; x < x1; ++x) row[x] = pixel;  // a few pixels: a plain loop beats a vector fill
      continue;
    }
    const std::uint8_t* coverage = glyph.coverage.data() + static_cast<std::size_t>(span.y) * glyph.width;
    for (int x = x0; x < x1; ++x) {
      const std::uint8_t c = coverage[x - left];
      if (c == 255) row[x] = pixel;
      else row[x] = Blend(row[x], pixel, c);
    }
  }
}

}  // namespace

int AdvancePen(const ResolvedFont& font, unsigned char ch, int x, int tabStop) {
  if (ch == '\t' && tabStop > 0) return (x / tabStop + 1) * tabStop;
  return x + font.Advance(ch);
}

int RunWidth(const ResolvedFont& font, std::string_view text, int tabStop) {
  if (tabStop <= 0) return font.TextWidth(text);
  int x = 0;
  for (char ch : text) x = AdvancePen(font, static_cast<unsigned char>(ch), x, tabStop);
  return x;
}

void PaintRun(TBitmap& target, const ResolvedFont& font, int x, int y, std::string_view text, int tabStop,
              std::uint32_t pixel, const TRect& clip) {
  if (clip.IsEmpty()) return;
  int penX = 0;
  for (char c : text) {
    const auto ch = static_cast<unsigned char>(c);
    if (x + penX >= clip.Right + font.EmPixels()) break;  // nothing further can reach the clip
    PaintGlyph(target, font.Glyph(ch), x + penX, y, pixel, clip);
    penX = AdvancePen(font, ch, penX, tabStop);
  }
}

void FillArea(TBitmap& target, const TRect& area, std::uint32_t pixel, const TRect& clip) {
  const TRect visible = IntersectRects(area, clip);
  if (visible.IsEmpty()) return;
  for (int y = visible.Top; y < visible.Bottom; ++y)
    raster::FillPixels(target.ScanLine(y) + visible.Left, static_cast<std::size_t>(visible.Width()), pixel);
}

void PaintFontLines(TBitmap& target, const ResolvedFont& font, int x, int y, int width, std::uint32_t pixel,
                    const TRect& clip) {
  const int thickness = font.LineThickness();
  if (font.Underline())
    FillArea(target, {x, y + font.UnderlineTop(), x + width, y + font.UnderlineTop() + thickness}, pixel, clip);
  if (font.StrikeOut())
    FillArea(target, {x, y + font.StrikeOutTop(), x + width, y + font.StrikeOutTop() + thickness}, pixel, clip);
}

}  // namespace tintoral
