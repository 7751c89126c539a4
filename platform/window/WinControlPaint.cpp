// TWinControl: painting into the paint buffer and rendering off-screen.
#include <algorithm>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/GlyphRun.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/GraphicControl.h"
#include "platform/window/WinControl.h"

namespace tintoral {
namespace {

void FillPixels(TBitmap& bitmap, const TRect& area, TColor color) {
  const std::uint32_t pixel = RGBToPixel(ColorToRGB(color));
  for (int y = area.Top; y < area.Bottom; ++y) std::fill_n(bitmap.ScanLine(y) + area.Left, area.Width(), pixel);
}

// Copies the part of `source` at (left, top) that overlaps `area` of
// `target`; the rest of `target` is left as it is.
void CopyPixelsFrom(TBitmap& target, const TRect& area, const TBitmap& source, int left, int top) {
  const int x0 = std::max(area.Left, -left);
  const int x1 = std::min(area.Right, source.Width() - left);
  const int y0 = std::max(area.Top, -top);
  const int y1 = std::min(area.Bottom, source.Height() - top);
  if (x0 >= x1) return;
  for (int y = y0; y < y1; ++y) std::copy_n(source.ScanLine(y + top) + x0 + left, x1 - x0, target.ScanLine(y) + x0);
}

void CopyPixelsFrom(TBitmap& target, const TBitmap& source, int left, int top) {
  CopyPixelsFrom(target, {0, 0, target.Width(), target.Height()}, source, left, top);
}

bool Covers(const TRect& outer, const TRect& inner) {
  return outer.Left <= inner.Left && outer.Top <= inner.Top && outer.Right >= inner.Right && outer.Bottom >= inner.Bottom;
}

}  // namespace

// The pixels beneath `paintArea_`: the parent's where it has them, its
// Color elsewhere.
void TWinControl::FillBufferFromParent() {
  TWinControl* parent = Parent();
  const TRect parentArea =
      parent ? TRect{-Left(), -Top(), parent->buffer_.Width() - Left(), parent->buffer_.Height() - Top()} : TRect{};
  if (!parent || !Covers(parentArea, paintArea_)) FillPixels(buffer_, paintArea_, parent ? parent->Color() : Color());
  if (parent) CopyPixelsFrom(buffer_, paintArea_, parent->buffer_, Left(), Top());
}

void TWinControl::PaintBufferNow(bool onScreen) { PaintBufferNow(onScreen, ClientRect()); }

void TWinControl::PaintBufferNow(bool onScreen, const TRect& dirty) {
  const TRect client = ClientRect();
  const bool bufferCurrent = buffer_.Width() == client.Width() && buffer_.Height() == client.Height();
  paintArea_ = bufferCurrent && PaintsOnlyItsColor() ? IntersectRects(dirty, client) : client;
  buffer_.SetSize(client.Width(), client.Height());
  FillBufferFromParent();
  TCanvas& canvas = buffer_.Canvas();
  if (onScreen && widget_) {
    canvas.SetVisibilityTest([region = widget_->visibleRegion()](int x, int y) { return region.contains(QPoint(x, y)); });
  } else {
    canvas.SetVisibilityTest(nullptr);
  }
  try {
    PaintWindow(canvas);
    PaintGraphicChildren(canvas);
  } catch (...) {
    canvas.SetVisibilityTest(nullptr);
    throw;
  }
  canvas.SetVisibilityTest(nullptr);
}

void TWinControl::PaintWindow(TCanvas& canvas) {
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(paintArea_);
}

void TWinControl::PaintGraphicChildren(TCanvas& canvas) {
  const std::vector<TControl*> children = controls_;
  for (TControl* child : children) {
    auto* graphic = dynamic_cast<TGraphicControl*>(child);
    if (graphic && graphic->Visible() && graphic->Width() > 0 && graphic->Height() > 0)
      graphic->PaintOnParent(canvas, paintArea_);
  }
}

void TWinControl::RenderTo(TBitmap& target) {
  PaintBufferNow(false);
  target.Assign(buffer_);
  RenderChildrenInto(target);
}

void TWinControl::RenderChildrenInto(TBitmap& target) {
  const std::vector<TControl*> children = controls_;
  for (TControl* child : children) {
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (!windowed || !windowed->Visible() || windowed->Width() <= 0 || windowed->Height() <= 0) continue;
    TBitmap image;
    windowed->RenderTo(image);
    CopyPixelsFrom(target, image, -windowed->Left(), -windowed->Top());
  }
}

}  // namespace tintoral
