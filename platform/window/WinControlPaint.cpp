// TWinControl: painting into the paint buffer and rendering off-screen.
#include <algorithm>
#include <cstdint>
#include <exception>
#include <string>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/GlyphRun.h"
#include "platform/graphics/RasterOps.h"
#include "platform/graphics/SaturateToInt.h"
#include "platform/window/Application.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/GraphicControl.h"
#include "platform/window/WinControl.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

void FillPixels(TBitmap& bitmap, const TRect& area, TColor color) {
  const std::uint32_t pixel = RGBToPixel(ColorToRGB(color));
  for (int y = area.Top; y < area.Bottom; ++y)
    raster::FillPixels(bitmap.ScanLine(y) + area.Left, static_cast<std::size_t>(area.Width()), pixel);
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

// A drawing error shown where the control would be: white text on black.
// An error while showing it is swallowed.
void DrawErrorInto(TCanvas& canvas, const TRect& area, const std::string& message) {
  try {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBlack);
    canvas.FillRect(area);
    canvas.Font().SetColor(clWhite);
    std::string text = message;
    TRect rect = area;
    canvas.DrawText(text, rect, DrawTextFlag::WordBreak);
  } catch (...) {
  }
}

std::string DrawFailure(const TControl& control, const std::string& message) {
  return "Cannot draw '" + control.Name() + "' (" + control.ClassName() + "): " + message;
}

}  // namespace

// The pixels beneath `paintArea_`: the parent's where it has them, its
// Color elsewhere.
void TWinControl::FillBufferFromParent() {
  TWinControl* parent = Parent();
  const std::int64_t left = Left(), top = Top();
  const TRect parentArea =
      parent ? TRect{SaturateToInt(-left), SaturateToInt(-top), SaturateToInt(parent->buffer_.Width() - left),
                     SaturateToInt(parent->buffer_.Height() - top)}
             : TRect{};
  if (!parent || !Covers(parentArea, paintArea_)) FillPixels(buffer_, paintArea_, parent ? parent->Color() : Color());
  if (parent) CopyPixelsFrom(buffer_, paintArea_, parent->buffer_, Left(), Top());
}

void TWinControl::PaintBufferNow(bool onScreen) { PaintBufferNow(onScreen, ClientRect()); }

// Drawing errors never leave a paint: one of the control's own drawing is
// drawn into it, white on black; one that leaves no buffer to draw into is
// only kept. RenderTo reports the first.
void TWinControl::PaintBufferNow(bool onScreen, const TRect& dirty) {
  paintError_.clear();
  try {
    PreparePaintBuffer(dirty);
  } catch (...) {
    paintError_ = DrawFailure(*this, CurrentExceptionMessage());
    return;
  }
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
  } catch (...) {
    const std::string message = CurrentExceptionMessage();
    paintError_ = DrawFailure(*this, message);
    DrawErrorInto(canvas, paintArea_, message);
  }
  PaintGraphicChildren(canvas);
  canvas.SetVisibilityTest(nullptr);
}

bool TWinControl::PaintsPartAlone(const TRect& part) const {
  const TRect client = ClientRect();
  return buffer_.Width() == client.Width() && buffer_.Height() == client.Height() &&
         PaintsOnlyItsColorIn(IntersectRects(part, client));
}

void TWinControl::PreparePaintBuffer(const TRect& dirty) {
  const TRect client = ClientRect();
  paintArea_ = PaintsPartAlone(dirty) ? IntersectRects(dirty, client) : client;
  buffer_.SetSize(client.Width(), client.Height());
  if (!PaintsOverPixelsBeneath()) FillBufferFromParent();
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
    if (!graphic || !graphic->Visible() || graphic->Width() <= 0 || graphic->Height() <= 0) continue;
    try {
      graphic->PaintOnParent(canvas, paintArea_);
    } catch (...) {
      const std::string message = CurrentExceptionMessage();
      if (paintError_.empty()) paintError_ = DrawFailure(*graphic, message);
      DrawErrorInto(canvas, IntersectRects(graphic->BoundsRect(), paintArea_), message);
    }
  }
}

// Renders everything it can, each control that could not be drawn showing
// its error, then raises GraphicsError naming the first such control.
void TWinControl::RenderTo(TBitmap& target) {
  const std::string firstError = RenderAll(target);
  if (!firstError.empty()) throw GraphicsError(firstError);
}

std::string TWinControl::RenderAll(TBitmap& target) {
  PaintBufferNow(false);
  target.Assign(buffer_);
  const std::string childError = RenderChildrenInto(target);
  return paintError_.empty() ? childError : paintError_;
}

std::string TWinControl::RenderChildrenInto(TBitmap& target) {
  std::string firstError;
  const std::vector<TControl*> children = controls_;
  for (TControl* child : children) {
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (!windowed || !windowed->Visible() || windowed->Width() <= 0 || windowed->Height() <= 0) continue;
    TBitmap image;
    const std::string error = windowed->RenderAll(image);
    if (firstError.empty()) firstError = error;
    CopyPixelsFrom(target, image, -std::int64_t{windowed->Left()}, -std::int64_t{windowed->Top()});
  }
  return firstError;
}

}  // namespace tintoral
