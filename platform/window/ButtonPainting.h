#pragma once
// Classic painting of push buttons and speed buttons, through TCanvas in
// the control's client coordinates.
#include <string>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"
#include "platform/window/StandardTypes.h"

namespace tintoral {

class TBitmap;

struct PushButtonLook {
  std::string caption;
  const TFont* font = nullptr;
  bool enabled = true;
  bool framed = false;   // the active default button: a black outer frame
  bool pressed = false;  // held down by the mouse or the space bar
  bool focused = false;  // a dotted focus rectangle inside
};
// Raised 3-D face with the caption centred ("&" marks the accelerator);
// pressed: black frame, a shadow ring and the caption one pixel down-right.
void PaintPushButton(TCanvas& canvas, const TRect& client, const PushButtonLook& look);

struct SpeedButtonLook {
  TButtonState state = bsUp;
  bool flat = false;
  bool mouseInControl = false;
  bool transparent = true;  // flat buttons leave the background alone
  TColor color = clBtnFace;
  // NumGlyphs images side by side: up, disabled, down, exclusive. The colour
  // of the lower-left pixel is transparent.
  const TBitmap* glyph = nullptr;
  int numGlyphs = 1;
  std::string caption;
  const TFont* font = nullptr;
  TButtonLayout layout = blGlyphLeft;
  int margin = -1;  // -1: glyph and caption centred together
  int spacing = 4;
};
void PaintSpeedButton(TCanvas& canvas, const TRect& client, const SpeedButtonLook& look);

// Where a speed button's glyph (its top-left corner) and caption go inside
// `client` (the face inside the frame), before the pressed offset.
struct ButtonLayoutResult {
  TPoint glyphPos;
  TRect textBounds;
};
ButtonLayoutResult LayoutButtonContent(TCanvas& canvas, const TRect& client, TSize glyphSize,
                                       const std::string& caption, TButtonLayout layout, int margin, int spacing);

// The glyph image drawn for a state: the state's own image when the bitmap
// has one, otherwise the up image, or for a disabled button without a
// disabled image the up image embossed in highlight and shadow.
void DrawButtonGlyph(TCanvas& canvas, TPoint at, const TBitmap& glyph, int numGlyphs, TButtonState state);

}  // namespace tintoral
