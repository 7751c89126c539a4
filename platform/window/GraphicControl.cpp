#include "platform/window/GraphicControl.h"

#include "platform/window/WinControl.h"

namespace tintoral {

const TClassInfo& TGraphicControl::StaticClass() {
  static const TClassInfo info("TGraphicControl", &TControl::StaticClass());
  return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::Invalidate() {
  if (Parent() && Visible()) Parent()->InvalidateRect(BoundsRect());
}

void TGraphicControl::Repaint() {
  Invalidate();
  if (Parent()) Parent()->Repaint();
}

void TGraphicControl::FillWithPixelsBeneath(TCanvas* parentCanvas) {
  buffer_.SetSize(Width(), Height());
  TCanvas& canvas = buffer_.Canvas();
  const TRect all{0, 0, Width(), Height()};
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Parent() ? Parent()->Color() : Color());
  canvas.FillRect(all);
  if (parentCanvas) canvas.CopyRect(all, *parentCanvas, BoundsRect());
}

void TGraphicControl::PaintOnParent(TCanvas& parentCanvas) {
  FillWithPixelsBeneath(&parentCanvas);
  Paint();
  parentCanvas.CopyRect(BoundsRect(), buffer_.Canvas(), {0, 0, Width(), Height()});
}

void TGraphicControl::RenderTo(TBitmap& target) {
  FillWithPixelsBeneath(Parent() ? &Parent()->PaintBuffer().Canvas() : nullptr);
  Paint();
  target.Assign(buffer_);
}

void TGraphicControl::Paint() {}

}  // namespace tintoral
