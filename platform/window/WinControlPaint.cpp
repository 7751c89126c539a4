// TWinControl: painting into the paint buffer and rendering off-screen.
#include <algorithm>

#include "platform/graphics/Canvas.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/GraphicControl.h"
#include "platform/window/WinControl.h"

namespace tintoral {
namespace {

void FillPixels(TBitmap& bitmap, TColor color) {
  const std::uint32_t pixel = RGBToPixel(ColorToRGB(color));
  for (int y = 0; y < bitmap.Height(); ++y) std::fill_n(bitmap.ScanLine(y), bitmap.Width(), pixel);
}

// Copies the part of `source` at (left, top) that overlaps `target`'s size;
// the rest of `target` is left as it is.
void CopyPixelsFrom(TBitmap& target, const TBitmap& source, int left, int top) {
  const int x0 = std::max(0, -left);
  const int x1 = std::min(target.Width(), source.Width() - left);
  const int y0 = std::max(0, -top);
  const int y1 = std::min(target.Height(), source.Height() - top);
  if (x0 >= x1) return;
  for (int y = y0; y < y1; ++y) std::copy_n(source.ScanLine(y + top) + x0 + left, x1 - x0, target.ScanLine(y) + x0);
}

}  // namespace

void TWinControl::FillBufferFromParent() {
  const TRect client = ClientRect();
  buffer_.SetSize(client.Width(), client.Height());
  TWinControl* parent = Parent();
  FillPixels(buffer_, parent ? parent->Color() : Color());
  if (parent) CopyPixelsFrom(buffer_, parent->buffer_, Left(), Top());
}

void TWinControl::PaintBufferNow(bool onScreen) {
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
  canvas.FillRect(ClientRect());
}

void TWinControl::PaintGraphicChildren(TCanvas& canvas) {
  const std::vector<TControl*> children = controls_;
  for (TControl* child : children) {
    auto* graphic = dynamic_cast<TGraphicControl*>(child);
    if (graphic && graphic->Visible() && graphic->Width() > 0 && graphic->Height() > 0) graphic->PaintOnParent(canvas);
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
