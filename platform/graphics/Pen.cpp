#include "platform/graphics/Pen.h"

namespace tintoral {

void TPen::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Changed();
}

void TPen::SetStyle(TPenStyle value) {
  if (value == style_) return;
  style_ = value;
  Changed();
}

void TPen::SetWidth(int value) {
  if (value < 1) value = 1;
  if (value == width_) return;
  width_ = value;
  Changed();
}

void TPen::SetMode(TPenMode value) {
  if (value == mode_) return;
  mode_ = value;
  Changed();
}

void TPen::Assign(const TPersistent& source) {
  const auto* pen = dynamic_cast<const TPen*>(&source);
  if (!pen) {
    TPersistent::Assign(source);
    return;
  }
  color_ = pen->color_;
  style_ = pen->style_;
  width_ = pen->width_;
  mode_ = pen->mode_;
  Changed();
}

void TPen::Changed() {
  if (onChange_) onChange_();
}

}  // namespace tintoral
