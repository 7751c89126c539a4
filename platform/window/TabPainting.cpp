#include "platform/window/TabPainting.h"

#include "platform/graphics/Bitmap.h"
#include "platform/window/StandardPainting.h"

namespace tintoral {
namespace {

constexpr int kStripIndent = 2;    // first tab's distance from the left edge
constexpr int kSelectedRise = 2;   // how far the selected tab stands out
constexpr int kTabPadding = 6;     // caption to tab side, each side
constexpr int kDisplayMargin = 4;  // border and gap around the display area
constexpr int kTabTextExtra = 5;   // tab height over the text height

void Pixel(TCanvas& canvas, int x, int y, TColor color) { canvas.SetPixel(x, y, color); }

void VerticalRun(TCanvas& canvas, int x, int top, int bottom, TColor color) {
  for (int y = top; y < bottom; ++y) canvas.SetPixel(x, y, color);
}

// One tab over (left, top) - (right, bottom): highlight up the left side
// and along the top with a cut corner, dark shadow and shadow down the
// right side, the face inside. The bottom row is left open.
void PaintTab(TCanvas& canvas, const TRect& r, TColor face) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(face);
  canvas.FillRect({r.Left + 2, r.Top + 1, r.Right - 2, r.Top + 2});
  canvas.FillRect({r.Left + 1, r.Top + 2, r.Right - 2, r.Bottom});
  VerticalRun(canvas, r.Left, r.Top + 2, r.Bottom, clBtnHighlight);
  Pixel(canvas, r.Left + 1, r.Top + 1, clBtnHighlight);
  for (int x = r.Left + 2; x < r.Right - 2; ++x) Pixel(canvas, x, r.Top, clBtnHighlight);
  Pixel(canvas, r.Right - 2, r.Top + 1, cl3DDkShadow);
  VerticalRun(canvas, r.Right - 1, r.Top + 2, r.Bottom, cl3DDkShadow);
  VerticalRun(canvas, r.Right - 2, r.Top + 2, r.Bottom, clBtnShadow);
}

int TextHeightOf(TCanvas& canvas) { return canvas.TextHeight("Wg"); }

}  // namespace

TabGeometry LayoutTabStrip(const TabStripLook& look, const TRect& client) {
  TBitmap scratch(1, 1);
  TCanvas& canvas = scratch.Canvas();
  if (look.font) canvas.Font().Assign(*look.font);
  TabGeometry geometry;
  geometry.itemHeight = look.tabHeight > 0 ? look.tabHeight : TextHeightOf(canvas) + kTabTextExtra;
  const int frameTop = client.Top + kSelectedRise + geometry.itemHeight;
  int x = client.Left + kStripIndent;
  for (std::size_t i = 0; i < look.captions.size(); ++i) {
    const int width = look.tabWidth > 0 ? look.tabWidth : canvas.TextWidth(look.captions[i]) + 2 * kTabPadding;
    TRect tab{x, client.Top + kSelectedRise, x + width, frameTop};
    if (static_cast<int>(i) == look.activeIndex)
      tab = {x - kSelectedRise, client.Top, x + width + kSelectedRise, frameTop + kSelectedRise};
    geometry.tabs.push_back(tab);
    x += width;
  }
  geometry.active = look.activeIndex;
  geometry.frame = {client.Left, frameTop, client.Right, client.Bottom};
  geometry.display = InsetRect(geometry.frame, kDisplayMargin);
  return geometry;
}

int TabAtPoint(const TabGeometry& geometry, int x, int y) {
  const int count = static_cast<int>(geometry.tabs.size());
  if (geometry.active >= 0 && geometry.active < count && geometry.tabs[geometry.active].Contains(x, y))
    return geometry.active;
  for (std::size_t i = 0; i < geometry.tabs.size(); ++i)
    if (geometry.tabs[i].Contains(x, y)) return static_cast<int>(i);
  return -1;
}

void PaintTabStrip(TCanvas& canvas, const TRect& client, const TabStripLook& look) {
  const TabGeometry geometry = LayoutTabStrip(look, client);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(look.color);
  canvas.FillRect({client.Left, client.Top, client.Right, geometry.frame.Top});
  canvas.DrawEdge(geometry.frame, TEdgeStyle::Raised);
  canvas.FillRect(InsetRect(geometry.frame, 2));
  if (look.font) canvas.Font().Assign(*look.font);
  const auto paint = [&](std::size_t i) {
    const TRect& tab = geometry.tabs[i];
    PaintTab(canvas, tab, look.color);
    const TRect textRect{tab.Left, tab.Top, tab.Right, tab.Top + geometry.itemHeight};
    DrawCaption(canvas, look.captions[i], textRect,
                DrawTextFlag::Center | DrawTextFlag::VerticalCenter | DrawTextFlag::SingleLine | DrawTextFlag::Prefix,
                true);
    if (look.focused && static_cast<int>(i) == look.activeIndex) canvas.DrawFocusRect(InsetRect(textRect, 3));
  };
  for (std::size_t i = 0; i < geometry.tabs.size(); ++i)
    if (static_cast<int>(i) != look.activeIndex) paint(i);
  if (look.activeIndex >= 0 && look.activeIndex < static_cast<int>(geometry.tabs.size()))
    paint(static_cast<std::size_t>(look.activeIndex));
}

}  // namespace tintoral
