#pragma once
// TGraphicControl: a control without a native window that paints on its
// parent. Paint() draws on Canvas(), a bitmap of the control's size that
// holds the parent's pixels beneath the control when Paint starts; the
// parent then draws it back at the control's position. The bitmap's pixels
// exist only during the paint (graphic controls take turns with one block
// of memory): outside it Canvas() is empty. Invalidating the control
// invalidates its rectangle on the parent.
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/window/Control.h"

namespace tintoral {

class TGraphicControl : public TControl {
  TINTORAL_CLASS(TGraphicControl, TControl)

 public:
  explicit TGraphicControl(TComponent* owner);

  TCanvas& Canvas() { return buffer_.Canvas(); }

  void Invalidate() override;
  void Repaint() override;
  // Paints the control over the parent's pixels beneath it (its own Color
  // when it has no parent) into `target`, sized to the control.
  void RenderTo(TBitmap& target) override;
  // Paints the control on its parent's canvas at its position; called by
  // the parent while painting. Only the part inside `area` (parent client
  // coordinates) is drawn back.
  void PaintOnParent(TCanvas& parentCanvas, const TRect& area);

 protected:
  // Draws the control. The default draws nothing.
  virtual void Paint();
  // The part of Canvas() (own coordinates) that the paint under way draws
  // back; pixels drawn outside it are never shown.
  const TRect& PaintPart() const { return paintPart_; }

 private:
  // Sizes the buffer on the shared pixels and fills `part` of it (own
  // coordinates) with the pixels beneath the control; only that part is
  // drawn back, the rest holds whatever the shared pixels held.
  void FillWithPixelsBeneath(TCanvas* parentCanvas, const TRect& part);
  // Gives the shared pixels back once the paint is done.
  void ReturnPaintPixels();

  TBitmap buffer_;
  TRect paintPart_;
};

}  // namespace tintoral
