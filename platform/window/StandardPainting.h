#pragma once
// Classic painting of the simple standard controls (panel, bevel, label,
// image) and the pieces the others share: one-pixel 3-D frames and captions
// that can be drawn embossed. Everything draws through TCanvas in the
// control's client coordinates.
#include <cstdint>
#include <string>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"
#include "platform/window/StandardTypes.h"

namespace tintoral {

// `width` one-pixel rings on the border of rect, from the outside in: top
// and left in topLeft, bottom and right (with the bottom-left and top-right
// corners) in bottomRight. rect shrinks by one pixel per ring.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width);

// Shrinks (or, with a negative amount, grows) rect on every side.
TRect InsetRect(const TRect& rect, int amount);

// Draws text with the canvas's font and a clear brush. Disabled text is
// embossed: once in clBtnHighlight one pixel down and right, then in
// clBtnShadow in place.
void DrawCaption(TCanvas& canvas, const std::string& text, TRect rect, std::uint16_t flags, bool enabled);

// DrawText flags of a caption's horizontal alignment.
std::uint16_t AlignmentFlags(TAlignment alignment);

struct PanelLook {
  TBevelCut bevelOuter = bvRaised;
  TBevelCut bevelInner = bvNone;
  int bevelWidth = 1;
  int borderWidth = 0;
  bool singleBorder = false;  // BorderStyle bsSingle: a sunken client edge
  TColor color = clBtnFace;
  const TFont* font = nullptr;
  std::string caption;
  TAlignment alignment = taCenter;
  bool enabled = true;
};
// Outer bevel, border in the panel's colour, inner bevel, then the face
// with the caption centred vertically.
void PaintPanel(TCanvas& canvas, const TRect& client, const PanelLook& look);

// One-pixel bevel lines in clBtnShadow and clBtnHighlight.
void PaintBevel(TCanvas& canvas, const TRect& client, TBevelShape shape, TBevelStyle style);

struct LabelLook {
  std::string caption;
  const TFont* font = nullptr;
  TColor color = clBtnFace;
  TAlignment alignment = taLeftJustify;
  TTextLayout layout = tlTop;
  bool wordWrap = false;
  bool transparent = false;
  bool showAccelChar = true;
  bool enabled = true;
};
void PaintLabel(TCanvas& canvas, const TRect& client, const LabelLook& look);
// The size of the label's text laid out for `width` pixels (the width only
// matters with word wrap). An empty caption measures as one space.
TSize MeasureLabel(const LabelLook& look, int width);

// Where an image draws its picture (pictureWidth × pictureHeight) in a
// client area of clientWidth × clientHeight.
struct ImagePlacement {
  bool stretch = false;
  bool center = false;
  bool proportional = false;
};
TRect ImageDestRect(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight, ImagePlacement placement);

}  // namespace tintoral
