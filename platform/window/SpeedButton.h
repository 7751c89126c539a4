#pragma once
// TSpeedButton: a button without a window that shows a glyph and a caption.
// The glyph bitmap holds NumGlyphs images side by side (up, disabled, down,
// held down in a group); the colour of its lower-left pixel is transparent.
// A flat button shows no frame until the mouse is over it.
//
// Mouse: a left press draws the button down; moving off and on again while
// the button is held toggles that look; releasing over the button clicks it
// (OnClick). In a group (GroupIndex > 0) a click puts the button down and
// lets the others of the group up; with AllowAllUp a click on a down button
// lets it up.
#include <cstdint>

#include "platform/graphics/Bitmap.h"
#include "platform/window/GraphicControl.h"
#include "platform/window/StandardTypes.h"

namespace tintoral {

class TSpeedButton : public TGraphicControl {
  TINTORAL_CLASS(TSpeedButton, TGraphicControl)

 public:
  explicit TSpeedButton(TComponent* owner);

  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  bool Down() const { return down_; }
  void SetDown(bool value);
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  TBitmap& Glyph() { return glyph_; }
  const TBitmap& Glyph() const { return glyph_; }
  // Copies the bitmap; a strip of 1 to 4 square images sets NumGlyphs.
  void SetGlyph(const TBitmap& value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return margin_; }
  void SetMargin(int value);  // -1 or more
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);  // 1 .. 4
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);  // -1 or more
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  // The look the button has now (bsDisabled while disabled).
  TButtonState State() const;
  bool MouseInControl() const { return mouseInControl_; }

  void Click() override;
  // A click as the user's, for a button that is not held: in a group the
  // button goes down (or up again, with AllowAllUp), then OnClick. A
  // disabled button does nothing.
  void Press();

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void EnabledChanged() override;

 private:
  // Ends a press: the button's look and, for a click, its group.
  void ReleasePress(bool clicked);
  void SetState(TButtonState value);
  // Lets the other buttons of the group up.
  void UpdateExclusive();

  TBitmap glyph_;
  int numGlyphs_ = 1;
  bool allowAllUp_ = false;
  int groupIndex_ = 0;
  bool down_ = false;
  bool flat_ = false;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool transparent_ = true;
  TButtonState state_ = bsUp;  // bsUp, bsDown or bsExclusive
  bool dragging_ = false;      // a left press is held
  bool mouseInControl_ = false;
};

}  // namespace tintoral
