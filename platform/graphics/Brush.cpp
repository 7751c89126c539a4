#include "platform/graphics/Brush.h"

namespace tintoral {

void TBrush::SetColor(TColor value) {
  if (value == color_ && style_ != bsClear) return;
  color_ = value;
  if (style_ == bsClear) style_ = bsSolid;  // choosing a colour means painting with it
  Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
  if (value == style_) return;
  style_ = value;
  Changed();
}

void TBrush::Assign(const TPersistent& source) {
  const auto* brush = dynamic_cast<const TBrush*>(&source);
  if (!brush) {
    TPersistent::Assign(source);
    return;
  }
  color_ = brush->color_;
  style_ = brush->style_;
  Changed();
}

void TBrush::Changed() {
  if (onChange_) onChange_();
}

}  // namespace tintoral
