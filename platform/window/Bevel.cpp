#include "platform/window/Bevel.h"

#include "platform/window/ControlProperties.h"
#include "platform/window/StandardPainting.h"

namespace tintoral {

const TClassInfo& TBevel::StaticClass() {
  static const TClassInfo info = DescribeClass<TBevel>("TBevel", TGraphicControl::StaticClass(), [](auto& b) {
    PublishControlProperties(b, {"Align", "ParentShowHint"});
    b.Property("Shape", &TBevel::Shape, &TBevel::SetShape).Default(bsBox);
    PublishControlProperties(b, {"ShowHint"});
    b.Property("Style", &TBevel::Style, &TBevel::SetStyle).Default(bsLowered);
    PublishControlProperties(b, {"Visible"});
  });
  return info;
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape value) {
  if (value == shape_) return;
  shape_ = value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
  if (value == style_) return;
  style_ = value;
  Invalidate();
}

void TBevel::Paint() { PaintBevel(Canvas(), ClientRect(), shape_, style_); }

}  // namespace tintoral
