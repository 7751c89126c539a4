#include "platform/window/StandardPainting.h"

#include <array>

#include "platform/graphics/Bitmap.h"

namespace tintoral {
namespace {

void UseThinPen(TCanvas& canvas, TColor color) {
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetMode(pmCopy);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(color);
}

void Line(TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2) {
  UseThinPen(canvas, color);
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

void FillSolid(TCanvas& canvas, const TRect& rect, TColor color) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(color);
  canvas.FillRect(rect);
}

// The colours of a panel bevel ring: highlight over shadow when raised, the
// reverse when lowered, the face colour for a plain space.
void FrameBevel(TCanvas& canvas, TRect& rect, TBevelCut cut, TColor face, int width) {
  switch (cut) {
    case bvRaised: Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, width); break;
    case bvLowered: Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, width); break;
    case bvSpace: Frame3D(canvas, rect, face, face, width); break;
    case bvNone: break;
  }
}

// The outline of (left, top) - (right, bottom) inclusive as two polylines:
// left and top in `first` (the bottom-left corner included), right and
// bottom in `second` (the top-right corner included).
void BevelRect(TCanvas& canvas, const TRect& r, TColor first, TColor second) {
  UseThinPen(canvas, first);
  const std::array<TPoint, 3> topLeft = {{{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}}};
  canvas.Polyline(topLeft);
  UseThinPen(canvas, second);
  const std::array<TPoint, 3> bottomRight = {{{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}}};
  canvas.Polyline(bottomRight);
}

std::uint16_t LabelFlags(const LabelLook& look) {
  std::uint16_t flags = DrawTextFlag::ExpandTabs | AlignmentFlags(look.alignment);
  if (look.wordWrap) flags |= DrawTextFlag::WordBreak;
  if (look.showAccelChar) flags |= DrawTextFlag::Prefix;
  return flags;
}

// The text a label measures: a lone accelerator mark or nothing measures
// as one space, so that an empty label keeps a height.
std::string MeasuredLabelText(const LabelLook& look) {
  if (look.caption.empty() || (look.showAccelChar && look.caption == "&")) return look.caption + " ";
  return look.caption;
}

TRect LabelTextRect(TCanvas& canvas, const LabelLook& look, TRect rect) {
  if (look.font) canvas.Font().Assign(*look.font);
  std::string text = MeasuredLabelText(look);
  canvas.DrawText(text, rect, LabelFlags(look) | DrawTextFlag::Calculate);
  return rect;
}

}  // namespace

void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width) {
  for (; width > 0; --width) {
    const int right = rect.Right - 1, bottom = rect.Bottom - 1;
    UseThinPen(canvas, topLeft);
    const std::array<TPoint, 3> first = {{{rect.Left, bottom}, {rect.Left, rect.Top}, {right, rect.Top}}};
    canvas.Polyline(first);
    UseThinPen(canvas, bottomRight);
    const std::array<TPoint, 3> second = {{{right, rect.Top}, {right, bottom}, {rect.Left - 1, bottom}}};
    canvas.Polyline(second);
    rect = InsetRect(rect, 1);
  }
}

TRect InsetRect(const TRect& rect, int amount) {
  return {rect.Left + amount, rect.Top + amount, rect.Right - amount, rect.Bottom - amount};
}

std::uint16_t AlignmentFlags(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return DrawTextFlag::Right;
    case taCenter: return DrawTextFlag::Center;
    case taLeftJustify: break;
  }
  return DrawTextFlag::Left;
}

void DrawCaption(TCanvas& canvas, const std::string& text, TRect rect, std::uint16_t flags, bool enabled) {
  canvas.Brush().SetStyle(bsClear);
  std::string shown = text;
  if (!enabled) {
    TRect shifted{rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1};
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(shown, shifted, flags);
    canvas.Font().SetColor(clBtnShadow);
  }
  canvas.DrawText(shown, rect, flags);
}

void PaintPanel(TCanvas& canvas, const TRect& client, const PanelLook& look) {
  TRect rect = client;
  if (look.singleBorder) {
    canvas.DrawEdge(rect, TEdgeStyle::Sunken);
    rect = InsetRect(rect, 2);
  }
  FrameBevel(canvas, rect, look.bevelOuter, look.color, look.bevelWidth);
  Frame3D(canvas, rect, look.color, look.color, look.borderWidth);
  FrameBevel(canvas, rect, look.bevelInner, look.color, look.bevelWidth);
  FillSolid(canvas, rect, look.color);
  if (look.caption.empty()) return;
  if (look.font) canvas.Font().Assign(*look.font);
  const int fontHeight = canvas.TextHeight("W");
  rect.Top = (rect.Bottom + rect.Top - fontHeight) / 2;
  rect.Bottom = rect.Top + fontHeight;
  const std::uint16_t flags =
      DrawTextFlag::ExpandTabs | DrawTextFlag::VerticalCenter | DrawTextFlag::Prefix | AlignmentFlags(look.alignment);
  DrawCaption(canvas, look.caption, rect, flags, look.enabled);
}

void PaintBevel(TCanvas& canvas, const TRect& client, TBevelShape shape, TBevelStyle style) {
  const TColor first = style == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = style == bsLowered ? clBtnHighlight : clBtnShadow;
  const int w = client.Width(), h = client.Height();
  const int x = client.Left, y = client.Top;
  switch (shape) {
    case bsBox: BevelRect(canvas, {x, y, x + w - 1, y + h - 1}, first, second); break;
    case bsFrame:
      // An etched groove: the inner outline in the second colour under the outer one in the first.
      BevelRect(canvas, {x + 1, y + 1, x + w - 1, y + h - 1}, second, second);
      BevelRect(canvas, {x, y, x + w - 2, y + h - 2}, first, first);
      break;
    case bsTopLine:
      Line(canvas, first, x, y, x + w, y);
      Line(canvas, second, x, y + 1, x + w, y + 1);
      break;
    case bsBottomLine:
      Line(canvas, first, x, y + h - 2, x + w, y + h - 2);
      Line(canvas, second, x, y + h - 1, x + w, y + h - 1);
      break;
    case bsLeftLine:
      Line(canvas, first, x, y, x, y + h);
      Line(canvas, second, x + 1, y, x + 1, y + h);
      break;
    case bsRightLine:
      Line(canvas, first, x + w - 2, y, x + w - 2, y + h);
      Line(canvas, second, x + w - 1, y, x + w - 1, y + h);
      break;
    case bsSpacer: break;
  }
}

void PaintLabel(TCanvas& canvas, const TRect& client, const LabelLook& look) {
  if (!look.transparent) FillSolid(canvas, client, look.color);
  TRect rect = client;
  if (look.layout != tlTop) {
    const TRect text = LabelTextRect(canvas, look, client);
    const int shift = client.Bottom - text.Bottom;
    const int offset = look.layout == tlBottom ? shift : shift / 2;
    rect.Top += offset;
    rect.Bottom += offset;
  }
  if (look.font) canvas.Font().Assign(*look.font);
  DrawCaption(canvas, look.caption, rect, LabelFlags(look), look.enabled);
}

TSize MeasureLabel(const LabelLook& look, int width) {
  TBitmap scratch(1, 1);
  const TRect rect = LabelTextRect(scratch.Canvas(), look, {0, 0, width, 0});
  return {rect.Width(), rect.Height()};
}

TRect ImageDestRect(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight, ImagePlacement placement) {
  int w = pictureWidth, h = pictureHeight;
  const bool tooLarge = w > clientWidth || h > clientHeight;
  if (placement.stretch || (placement.proportional && tooLarge)) {
    if (placement.proportional && w > 0 && h > 0) {
      const double aspect = static_cast<double>(w) / h;
      if (w > h) {
        w = clientWidth;
        h = static_cast<int>(clientWidth / aspect);
        if (h > clientHeight) {
          h = clientHeight;
          w = static_cast<int>(clientHeight * aspect);
        }
      } else {
        h = clientHeight;
        w = static_cast<int>(clientHeight * aspect);
        if (w > clientWidth) {
          w = clientWidth;
          h = static_cast<int>(clientWidth / aspect);
        }
      }
    } else {
      w = clientWidth;
      h = clientHeight;
    }
  }
  TRect dest{0, 0, w, h};
  if (placement.center) {
    const int dx = (clientWidth - w) / 2, dy = (clientHeight - h) / 2;
    dest = {dx, dy, dx + w, dy + h};
  }
  return dest;
}

}  // namespace tintoral
