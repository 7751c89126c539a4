// Text on the canvas: TextOut, measuring, and formatted text in a rectangle.
// Glyphs come from the resolved font's cache and are painted straight onto
// the bitmap; with a brush that is not clear the text cell is filled first.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FontResolver.h"
#include "platform/graphics/GlyphRun.h"
#include "platform/graphics/TextLayout.h"

namespace tintoral {
namespace {

bool Has(std::uint16_t flags, std::uint16_t flag) { return (flags & flag) != 0; }

TRect BitmapArea(const TBitmap& bitmap) { return {0, 0, bitmap.Width(), bitmap.Height()}; }

constexpr std::uint16_t kAnyEllipsis =
    DrawTextFlag::EndEllipsis | DrawTextFlag::PathEllipsis | DrawTextFlag::WordEllipsis;

// Paints one laid-out line with its cell at (x, y).
struct LinePainter {
  TBitmap& target;
  const ResolvedFont& font;
  std::uint32_t textPixel;
  const std::uint32_t* cellPixel;  // null with a clear brush
  int tabStop;
  TRect clip;

  void Paint(const LaidOutLine& line, int x, int y) const {
    if (cellPixel) FillArea(target, {x, y, x + line.width, y + font.CellHeight()}, *cellPixel, clip);
    PaintRun(target, font, x, y, line.text, tabStop, textPixel, clip);
    PaintFontLines(target, font, x, y, line.width, textPixel, clip);
    PaintPrefixUnderlines(line, x, y);
  }

  void PaintPrefixUnderlines(const LaidOutLine& line, int x, int y) const {
    const int top = y + font.UnderlineTop();
    int penX = 0;
    for (std::size_t i = 0; i < line.text.size(); ++i) {
      const int next = AdvancePen(font, static_cast<unsigned char>(line.text[i]), penX, tabStop);
      if (line.underlined[i]) FillArea(target, {x + penX, top, x + next, top + font.LineThickness()}, textPixel, clip);
      penX = next;
    }
  }
};

int LineLeft(const TRect& rect, int width, std::uint16_t flags) {
  if (Has(flags, DrawTextFlag::Center)) return rect.Left + (rect.Width() - width) / 2;
  if (Has(flags, DrawTextFlag::Right)) return rect.Right - width;
  return rect.Left;
}

int TextTop(const TRect& rect, int textHeight, std::uint16_t flags) {
  if (!Has(flags, DrawTextFlag::SingleLine)) return rect.Top;
  if (Has(flags, DrawTextFlag::VerticalCenter)) return rect.Top + (rect.Height() - textHeight) / 2;
  if (Has(flags, DrawTextFlag::Bottom)) return rect.Bottom - textHeight;
  return rect.Top;
}

// Puts the shortened lines back into the source text, last line first so
// that earlier offsets stay valid.
void WriteBackShortened(std::string& text, const std::vector<LaidOutLine>& lines, bool prefix) {
  for (auto line = lines.rbegin(); line != lines.rend(); ++line)
    if (line->shortened)
      text.replace(line->sourceBegin, line->sourceEnd - line->sourceBegin, SourceTextOf(*line, prefix));
}

// The lines of the text laid out last on this thread. Controls repaint the
// same caption again and again (a shadowed label twice per paint), and a
// layout allocates; resolved fonts live as long as the program, so the
// font's address identifies it.
const std::vector<LaidOutLine>& LayoutOfLastText(std::string_view text, const ResolvedFont& font, int maxWidth,
                                                 std::uint16_t flags) {
  struct Layout {
    std::string text;
    const ResolvedFont* font = nullptr;
    int maxWidth = 0;
    std::uint16_t flags = 0;
    std::vector<LaidOutLine> lines;
  };
  thread_local Layout last;
  if (last.font != &font || last.maxWidth != maxWidth || last.flags != flags || last.text != text) {
    last.lines = LayoutText(text, font, maxWidth, flags);
    last.text.assign(text);
    last.font = &font;
    last.maxWidth = maxWidth;
    last.flags = flags;
  }
  return last.lines;
}

}  // namespace

void TCanvas::TextOut(int x, int y, const std::string& text) {
  const ResolvedFont& font = ResolveFont(font_);
  const int width = font.TextWidth(text);
  const TRect clip = BitmapArea(target_);
  const std::uint32_t textPixel = RGBToPixel(ColorToRGB(font_.Color()));
  if (brush_.Style() != bsClear)
    FillArea(target_, {x, y, x + width, y + font.CellHeight()}, RGBToPixel(ColorToRGB(brush_.Color())), clip);
  PaintRun(target_, font, x, y, text, 0, textPixel, clip);
  PaintFontLines(target_, font, x, y, width, textPixel, clip);
  MoveTo(x + width, y);
  target_.Changed();
}

int TCanvas::TextWidth(const std::string& text) { return ResolveFont(font_).TextWidth(text); }

int TCanvas::TextHeight(const std::string& text) { return TextExtent(text).Height; }

TSize TCanvas::TextExtent(const std::string& text) {
  const ResolvedFont& font = ResolveFont(font_);
  return {font.TextWidth(text), font.CellHeight()};
}

int TCanvas::DrawText(std::string& text, TRect& rect, std::uint16_t flags) {
  const ResolvedFont& font = ResolveFont(font_);
  const std::vector<LaidOutLine>& lines = LayoutOfLastText(text, font, rect.Width(), flags);
  const int lineHeight = font.CellHeight();
  const int textHeight = lineHeight * static_cast<int>(lines.size());

  if (Has(flags, DrawTextFlag::Calculate)) {
    int widest = 0;
    for (const LaidOutLine& line : lines) widest = std::max(widest, line.width);
    if (!Has(flags, DrawTextFlag::WordBreak) || Has(flags, DrawTextFlag::SingleLine)) rect.Right = rect.Left + widest;
    rect.Bottom = rect.Top + textHeight;
    return textHeight;
  }

  const TRect bitmapArea = BitmapArea(target_);
  const std::uint32_t cellPixel = RGBToPixel(ColorToRGB(brush_.Color()));
  const LinePainter painter{target_,
                            font,
                            RGBToPixel(ColorToRGB(font_.Color())),
                            brush_.Style() != bsClear ? &cellPixel : nullptr,
                            TabStopFor(font, flags),
                            Has(flags, DrawTextFlag::NoClip) ? bitmapArea : IntersectRects(rect, bitmapArea)};
  const int top = TextTop(rect, textHeight, flags);
  for (std::size_t i = 0; i < lines.size(); ++i)
    painter.Paint(lines[i], LineLeft(rect, lines[i].width, flags), top + static_cast<int>(i) * lineHeight);
  if (!lines.empty()) target_.Changed();

  if (Has(flags, DrawTextFlag::ModifyString) && Has(flags, kAnyEllipsis))
    WriteBackShortened(text, lines, Has(flags, DrawTextFlag::Prefix));
  const bool placedVertically =
      Has(flags, DrawTextFlag::SingleLine) && Has(flags, DrawTextFlag::VerticalCenter | DrawTextFlag::Bottom);
  return placedVertically ? top - rect.Top + textHeight : textHeight;
}

}  // namespace tintoral
