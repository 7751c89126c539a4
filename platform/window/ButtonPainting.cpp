#include "platform/window/ButtonPainting.h"

#include <algorithm>

#include "platform/graphics/Bitmap.h"
#include "platform/window/StandardPainting.h"

namespace tintoral {
namespace {

constexpr std::uint16_t kCentredLine =
    DrawTextFlag::Center | DrawTextFlag::VerticalCenter | DrawTextFlag::SingleLine | DrawTextFlag::Prefix;

TRect Offset(const TRect& r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

void Outline(TCanvas& canvas, const TRect& rect, TColor color) {
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetMode(pmCopy);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(color);
  canvas.Brush().SetStyle(bsClear);
  canvas.Rectangle(rect);
}

void Fill(TCanvas& canvas, const TRect& rect, TColor color) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(color);
  canvas.FillRect(rect);
}

// The checkered face of a button held down in a group: face and highlight
// pixels alternating.
void FillChecker(TCanvas& canvas, const TRect& rect) {
  for (int y = rect.Top; y < rect.Bottom; ++y)
    for (int x = rect.Left; x < rect.Right; ++x) canvas.SetPixel(x, y, ((x + y) & 1) ? clBtnHighlight : clBtnFace);
}

bool IsDown(TButtonState state) { return state == bsDown || state == bsExclusive; }

// Copies image `index` of the glyph strip into a bitmap of its own.
void CopyImage(const TBitmap& glyph, int numGlyphs, int index, TBitmap& image) {
  const int width = glyph.Width() / numGlyphs;
  image.SetSize(width, glyph.Height());
  for (int y = 0; y < glyph.Height(); ++y) std::copy_n(glyph.ScanLine(y) + index * width, width, image.ScanLine(y));
}

// The pixels of an image that an embossed glyph shows: all but the
// transparent colour and white.
void DrawEmbossed(TCanvas& canvas, TPoint at, const TBitmap& image, TColor transparent) {
  const auto ink = [&](int x, int y) {
    const TColor pixel = image.Pixel(x, y);
    return pixel != transparent && pixel != clWhite;
  };
  for (const auto& [color, shift] : {std::pair{clBtnHighlight, 1}, std::pair{clBtnShadow, 0}})
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x)
        if (ink(x, y)) canvas.SetPixel(at.X + x + shift, at.Y + y + shift, color);
}

// The frame of a speed button; returns the face inside it.
TRect PaintSpeedButtonFrame(TCanvas& canvas, const TRect& client, const SpeedButtonLook& look) {
  const bool down = IsDown(look.state);
  TRect face = client;
  if (!look.flat) {
    canvas.DrawEdge(face, down ? TEdgeStyle::Sunken : TEdgeStyle::Raised);
    face = InsetRect(face, 2);
    Fill(canvas, face, clBtnFace);
    return face;
  }
  const bool hot = look.mouseInControl && look.state != bsDisabled;
  if (down || hot) {
    TRect ring = face;
    if (down) Frame3D(canvas, ring, clBtnShadow, clBtnHighlight, 1);
    else Frame3D(canvas, ring, clBtnHighlight, clBtnShadow, 1);
    if (!look.transparent) Fill(canvas, ring, look.color);
  } else if (!look.transparent) {
    Fill(canvas, face, look.color);
  }
  return InsetRect(face, 1);
}

}  // namespace

void PaintPushButton(TCanvas& canvas, const TRect& client, const PushButtonLook& look) {
  TRect rect = client;
  if (look.framed || look.pressed) {
    Outline(canvas, rect, clWindowFrame);
    rect = InsetRect(rect, 1);
  }
  if (look.pressed) {
    Outline(canvas, rect, clBtnShadow);
    Fill(canvas, InsetRect(rect, 1), clBtnFace);
  } else {
    canvas.DrawEdge(rect, TEdgeStyle::Raised);
    Fill(canvas, InsetRect(rect, 2), clBtnFace);
  }
  if (look.font) canvas.Font().Assign(*look.font);
  const TRect textRect = look.pressed ? Offset(client, 1, 1) : client;
  DrawCaption(canvas, look.caption, textRect, kCentredLine, look.enabled);
  if (look.focused) canvas.DrawFocusRect(InsetRect(client, 4));
}

ButtonLayoutResult LayoutButtonContent(TCanvas& canvas, const TRect& client, TSize glyphSize,
                                       const std::string& caption, TButtonLayout layout, int margin, int spacing) {
  const TSize clientSize{client.Width(), client.Height()};
  TRect textBounds{0, 0, 0, 0};
  if (!caption.empty()) {
    textBounds = {0, 0, clientSize.Width, 0};
    std::string text = caption;
    canvas.DrawText(text, textBounds, DrawTextFlag::Calculate | DrawTextFlag::Prefix | DrawTextFlag::SingleLine);
  }
  const TSize textSize{textBounds.Width(), textBounds.Height()};
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  TPoint glyphPos, textPos;
  if (horizontal) {
    glyphPos.Y = (clientSize.Height - glyphSize.Height + 1) / 2;
    textPos.Y = (clientSize.Height - textSize.Height + 1) / 2;
  } else {
    glyphPos.X = (clientSize.Width - glyphSize.Width + 1) / 2;
    textPos.X = (clientSize.Width - textSize.Width + 1) / 2;
  }
  if (textSize.Width == 0 || glyphSize.Width == 0) spacing = 0;
  const int along = horizontal ? clientSize.Width : clientSize.Height;
  const int glyphAlong = horizontal ? glyphSize.Width : glyphSize.Height;
  const int textAlong = horizontal ? textSize.Width : textSize.Height;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (along - (glyphAlong + textAlong)) / 3;
      spacing = margin;
    } else {
      margin = (along - (glyphAlong + spacing + textAlong) + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (along - (margin + glyphAlong + textAlong) + 1) / 2;
  }
  switch (layout) {
    case blGlyphLeft:
      glyphPos.X = margin;
      textPos.X = glyphPos.X + glyphSize.Width + spacing;
      break;
    case blGlyphRight:
      glyphPos.X = clientSize.Width - margin - glyphSize.Width;
      textPos.X = glyphPos.X - spacing - textSize.Width;
      break;
    case blGlyphTop:
      glyphPos.Y = margin;
      textPos.Y = glyphPos.Y + glyphSize.Height + spacing;
      break;
    case blGlyphBottom:
      glyphPos.Y = clientSize.Height - margin - glyphSize.Height;
      textPos.Y = glyphPos.Y - spacing - textSize.Height;
      break;
  }
  return {{glyphPos.X + client.Left, glyphPos.Y + client.Top},
          Offset(textBounds, textPos.X + client.Left, textPos.Y + client.Top)};
}

void DrawButtonGlyph(TCanvas& canvas, TPoint at, const TBitmap& glyph, int numGlyphs, TButtonState state) {
  if (glyph.Empty() || numGlyphs < 1 || glyph.Width() < numGlyphs) return;
  const TColor transparent = glyph.Pixel(0, glyph.Height() - 1);
  const int index = static_cast<int>(state);
  TBitmap image;
  if (state == bsDisabled && index >= numGlyphs) {
    CopyImage(glyph, numGlyphs, 0, image);
    DrawEmbossed(canvas, at, image, transparent);
    return;
  }
  CopyImage(glyph, numGlyphs, index < numGlyphs ? index : 0, image);
  image.SetTransparentColor(transparent);
  image.SetTransparent(true);
  canvas.Draw(at.X, at.Y, image);
}

void PaintSpeedButton(TCanvas& canvas, const TRect& client, const SpeedButtonLook& look) {
  const TRect face = PaintSpeedButtonFrame(canvas, client, look);
  if (look.state == bsExclusive && (!look.flat || !look.mouseInControl)) FillChecker(canvas, face);
  const int shift = IsDown(look.state) ? 1 : 0;
  if (look.font) canvas.Font().Assign(*look.font);
  const int numGlyphs = std::clamp(look.numGlyphs, 1, 4);
  TSize glyphSize;
  if (look.glyph && !look.glyph->Empty()) glyphSize = {look.glyph->Width() / numGlyphs, look.glyph->Height()};
  const ButtonLayoutResult at =
      LayoutButtonContent(canvas, face, glyphSize, look.caption, look.layout, look.margin, look.spacing);
  if (glyphSize.Width > 0)
    DrawButtonGlyph(canvas, {at.glyphPos.X + shift, at.glyphPos.Y + shift}, *look.glyph, numGlyphs, look.state);
  if (!look.caption.empty())
    DrawCaption(canvas, look.caption, Offset(at.textBounds, shift, shift),
                DrawTextFlag::Center | DrawTextFlag::VerticalCenter | DrawTextFlag::SingleLine | DrawTextFlag::Prefix,
                look.state != bsDisabled);
}

}  // namespace tintoral
