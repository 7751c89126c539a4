// TWinControl: painting into the paint buffer and rendering off-screen.
#include <algorithm>
#include <cstdint>
#include <limits>

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
// `target`; the rest of `target` is left as it is. Offsets are 64-bit: a
// control may sit at any int position, whose negation may not fit an int.
void CopyPixelsFrom(TBitmap& target, const TRect& area, const TBitmap& source, std::int64_t left, std::int64_t top) {
  const std::int64_t x0 = std::max<std::int64_t>(area.Left, -left);
  const std::int64_t x1 = std::min<std::int64_t>(area.Right, source.Width() - left);
  const std::int64_t y0 = std::max<std::int64_t>(area.Top, -top);
  const std::int64_t y1 = std::min<std::int64_t>(area.Bottom, source.Height() - top);
  if (x0 >= x1) return;
  for (std::int64_t y = y0; y < y1; ++y)
    std::copy_n(source.ScanLine(static_cast<int>(y + top)) + (x0 + left), x1 - x0,
                target.ScanLine(static_cast<int>(y)) + x0);
}

void CopyPixelsFrom(TBitmap& target, const TBitmap& source, std::int64_t left, std::int64_t top) {
  CopyPixelsFrom(target, {0, 0, target.Width(), target.Height()}, source, left, top);
}

bool Covers(const TRect& outer, const TRect& inner) {
  return outer.Left <= inner.Left && outer.Top <= inner.Top && outer.Right >= inner.Right &&
         outer.Bottom >= inner.Bottom;
}

// A coordinate computed in 64 bits, held to the int range: a layout may
// place a control anywhere an int reaches.
int SaturatedCoordinate(std::int64_t value) {
  return static_cast<int>(
      std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

// The pixels beneath `paintArea_`: the parent's where it has them, its
// Color elsewhere.
void TWinControl::FillBufferFromParent() {
  TWinControl* parent = Parent();
  const std::int64_t left = Left(), top = Top();
  const TRect parentArea = parent ? TRect{SaturatedCoordinate(-left), SaturatedCoordinate(-top),
                                          SaturatedCoordinate(parent->buffer_.Width() - left),
                                          SaturatedCoordinate(parent->buffer_.Height() - top)}
                                  : TRect{};
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
    canvas.SetVisibilityTest([region = widget_->visibleRegion(), widget = widget_](int x, int y) {
      return region.contains(widget->WidgetRect(Bounds(x, y, 1, 1)).topLeft());
    });
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
    CopyPixelsFrom(target, image, -std::int64_t{windowed->Left()}, -std::int64_t{windowed->Top()});
  }
}

}  // namespace tintoral
