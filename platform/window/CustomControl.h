#pragma once
// TCustomControl: a windowed control that draws itself. Paint() draws on
// Canvas(), the canvas of the paint buffer, which holds the pixels beneath
// the control when Paint starts (a transparent control may copy them as its
// parent snapshot) unless PaintsOverPixelsBeneath says they are not needed. While the control paints on screen, the
// canvas's point-visible test answers whether a point can be seen in the window (not covered by siblings); rendering
// off-screen treats the whole client area as visible.
#include "platform/graphics/Canvas.h"
#include "platform/window/WinControl.h"

namespace tintoral {

class TCustomControl : public TWinControl {
  TINTORAL_CLASS(TCustomControl, TWinControl)

 public:
  explicit TCustomControl(TComponent* owner);

  TCanvas& Canvas() { return PaintBuffer().Canvas(); }

 protected:
  // Draws the control. The default fills the client area with Color.
  virtual void Paint();
  void PaintWindow(TCanvas& canvas) override;
  bool PaintsOnlyItsColor() const override { return false; }
};

}  // namespace tintoral
