#pragma once
// TBevel: one-pixel 3-D lines on its parent: a box, an etched frame, one
// edge line or nothing (a spacer).
#include "platform/window/GraphicControl.h"
#include "platform/window/StandardTypes.h"

namespace tintoral {

class TBevel : public TGraphicControl {
  TINTORAL_CLASS(TBevel, TGraphicControl)

 public:
  explicit TBevel(TComponent* owner);

  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape value);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle value);

 protected:
  void Paint() override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};

}  // namespace tintoral
