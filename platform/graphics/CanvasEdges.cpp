// TCanvas window-system decorations: 3-D edges and the focus rectangle. Both
// ignore the pen and brush: edges paint the system edge colours, the focus
// rectangle inverts.
#include <algorithm>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/SpanPainter.h"

namespace tintoral {
namespace {

using raster::PixelPaint;
using raster::SpanPainter;

struct RingColors {
  TColor topLeft;
  TColor bottomRight;
};

// A one-pixel ring on the border pixels of rect: top and left in one colour,
// bottom and right (with the bottom-left and top-right corners) in the other.
void DrawRing(TBitmap& surface, const TRect& rect, RingColors colors) {
  if (rect.IsEmpty()) return;
  SpanPainter topLeft(surface, PixelPaint::Make(ColorToRGB(colors.topLeft), pmCopy));
  SpanPainter bottomRight(surface, PixelPaint::Make(ColorToRGB(colors.bottomRight), pmCopy));
  topLeft.Span(rect.Top, rect.Left, rect.Right - 1);
  topLeft.Column(rect.Left, rect.Top, rect.Bottom - 1);
  bottomRight.Span(rect.Bottom - 1, rect.Left, rect.Right);
  bottomRight.Column(rect.Right - 1, rect.Top, rect.Bottom);
}

// Inverts the pixels (x0 .. x1-1, y) with an even x + y.
void InvertEvenRow(TBitmap& surface, int y, int x0, int x1) {
  if (y < 0 || y >= surface.Height()) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, surface.Width());
  std::uint32_t* row = surface.ScanLine(y);
  for (int x = x0 + ((x0 + y) & 1); x < x1; x += 2) row[x] ^= 0x00FFFFFFu;
}

// Inverts the pixels (x, y0 .. y1-1) with an even x + y.
void InvertEvenColumn(TBitmap& surface, int x, int y0, int y1) {
  if (x < 0 || x >= surface.Width()) return;
  y0 = std::max(y0, 0);
  y1 = std::min(y1, surface.Height());
  for (int y = y0 + ((x + y0) & 1); y < y1; y += 2) surface.ScanLine(y)[x] ^= 0x00FFFFFFu;
}

}  // namespace

void TCanvas::DrawEdge(const TRect& rect, TEdgeStyle style) {
  const bool raised = style == TEdgeStyle::Raised;
  const RingColors outer = raised ? RingColors{cl3DLight, cl3DDkShadow} : RingColors{clBtnShadow, clBtnHighlight};
  const RingColors inner = raised ? RingColors{clBtnHighlight, clBtnShadow} : RingColors{cl3DDkShadow, cl3DLight};
  DrawRing(target_, rect, outer);
  if (!rect.IsEmpty()) DrawRing(target_, {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1}, inner);
  target_.Changed();
}

void TCanvas::DrawFocusRect(const TRect& rect) {
  if (rect.IsEmpty()) return;
  const int bottom = rect.Bottom - 1, right = rect.Right - 1;
  InvertEvenRow(target_, rect.Top, rect.Left, rect.Right);
  if (bottom > rect.Top) InvertEvenRow(target_, bottom, rect.Left, rect.Right);
  InvertEvenColumn(target_, rect.Left, rect.Top + 1, bottom);
  if (right > rect.Left) InvertEvenColumn(target_, right, rect.Top + 1, bottom);
  target_.Changed();
}

}  // namespace tintoral
