#include "platform/window/GraphicControl.h"

#include "platform/graphics/GlyphRun.h"

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
  const TRect bounds = BoundsRect();
  const bool parentCovers = parentCanvas && bounds.Left >= 0 && bounds.Top >= 0 &&
                            bounds.Right <= parentCanvas->Target().Width() &&
                            bounds.Bottom <= parentCanvas->Target().Height();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Parent() ? Parent()->Color() : Color());
  if (!parentCovers) canvas.FillRect(all);
  if (parentCanvas) canvas.CopyRect(all, *parentCanvas, bounds);
}

void TGraphicControl::PaintOnParent(TCanvas& parentCanvas, const TRect& area) {
  const TRect shown = IntersectRects(BoundsRect(), area);
  if (shown.IsEmpty()) return;
  FillWithPixelsBeneath(&parentCanvas);
  Paint();
  parentCanvas.CopyRect(shown, buffer_.Canvas(),
                        {shown.Left - Left(), shown.Top - Top(), shown.Right - Left(), shown.Bottom - Top()});
}

void TGraphicControl::RenderTo(TBitmap& target) {
  FillWithPixelsBeneath(Parent() ? &Parent()->PaintBuffer().Canvas() : nullptr);
  Paint();
  target.Assign(buffer_);
}

void TGraphicControl::Paint() {}

}  // namespace tintoral
