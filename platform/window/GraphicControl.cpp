#include "platform/window/GraphicControl.h"

#include <cstdint>
#include <vector>

#include "platform/window/WinControl.h"
#include "runtime/ScopeExit.h"

namespace tintoral {
namespace {

// The pixels graphic controls paint on, lent to one control at a time: a
// control's picture is needed only while it paints, so one block the size
// of the largest control serves them all instead of one block each.
std::vector<std::uint32_t>& SharedPaintPixels() {
  static std::vector<std::uint32_t> pixels;
  return pixels;
}

}  // namespace

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

void TGraphicControl::FillWithPixelsBeneath(TCanvas* parentCanvas, const TRect& part) {
  buffer_.BorrowPixels(SharedPaintPixels(), Width(), Height());
  paintPart_ = part;
  TCanvas& canvas = buffer_.Canvas();
  const TRect beneath{part.Left + Left(), part.Top + Top(), part.Right + Left(), part.Bottom + Top()};
  const bool parentCovers = parentCanvas && beneath.Left >= 0 && beneath.Top >= 0 &&
                            beneath.Right <= parentCanvas->Target().Width() &&
                            beneath.Bottom <= parentCanvas->Target().Height();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Parent() ? Parent()->Color() : Color());
  if (!parentCovers) canvas.FillRect(part);
  if (parentCanvas) canvas.CopyRect(part, *parentCanvas, beneath);
}

void TGraphicControl::ReturnPaintPixels() { buffer_.ReturnPixels(SharedPaintPixels()); }

void TGraphicControl::PaintOnParent(TCanvas& parentCanvas, const TRect& area) {
  const TRect shown = IntersectRects(BoundsRect(), area);
  if (shown.IsEmpty()) return;
  const TRect part{shown.Left - Left(), shown.Top - Top(), shown.Right - Left(), shown.Bottom - Top()};
  const TScopeExit giveBack([this] { ReturnPaintPixels(); });
  FillWithPixelsBeneath(&parentCanvas, part);
  Paint();
  parentCanvas.CopyRect(shown, buffer_.Canvas(), part);
}

void TGraphicControl::RenderTo(TBitmap& target) {
  const TScopeExit giveBack([this] { ReturnPaintPixels(); });
  FillWithPixelsBeneath(Parent() ? &Parent()->PaintBuffer().Canvas() : nullptr, {0, 0, Width(), Height()});
  Paint();
  target.Assign(buffer_);
}

void TGraphicControl::Paint() {}

}  // namespace tintoral
