// TCanvas: pixels and geometry. Every drawing call resolves its pen and brush
// once (colour through the system-colour table, mix mode) and then works on
// whole spans or Bresenham walks of the target's pixels.
#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/EllipseRaster.h"
#include "platform/graphics/PolygonFill.h"
#include "platform/graphics/SpanPainter.h"
#include "platform/graphics/ThinLine.h"
#include "platform/graphics/WideStroke.h"

namespace tintoral {

using raster::DashPattern;
using raster::PixelPaint;
using raster::PointF;
using raster::SpanPainter;

namespace {

TRect Normalised(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  return {left, top, right, bottom};
}

TRect SurfaceRect(const TBitmap& surface) { return {0, 0, surface.Width(), surface.Height()}; }

bool PenDraws(const TPen& pen) { return pen.Style() != psClear; }

bool PenIsWide(const TPen& pen) { return pen.Width() > 1; }

// How far a psInsideFrame pen's path lies inside its shape's box.
double FrameInset(const TPen& pen) { return pen.Style() == psInsideFrame ? (pen.Width() - 1) / 2.0 : 0.0; }

SpanPainter PenPainter(TCanvas& canvas) {
  const TPen& pen = canvas.Pen();
  const PixelPaint paint = PenDraws(pen) ? PixelPaint::Make(ColorToRGB(pen.Color()), pen.Mode()) : PixelPaint{};
  return SpanPainter(canvas.Target(), paint);
}

// The brush under a mix mode: shapes fill under the pen's mode, FillRect
// always copies (a plain fill clears whatever mode is left on the pen).
SpanPainter BrushPainter(TCanvas& canvas, TPenMode mode) {
  const TBrush& brush = canvas.Brush();
  if (brush.Style() == bsClear) return SpanPainter(canvas.Target(), PixelPaint{});
  return SpanPainter(canvas.Target(), PixelPaint::Make(ColorToRGB(brush.Color()), mode),
                     raster::HatchPattern(brush.Style()));
}

SpanPainter BrushPainter(TCanvas& canvas) { return BrushPainter(canvas, canvas.Pen().Mode()); }

void FillArea(TCanvas& canvas, const TRect& rect, TPenMode mode) {
  SpanPainter brush = BrushPainter(canvas, mode);
  if (!brush.Paints()) return;
  const int top = std::max(rect.Top, 0), bottom = std::min(rect.Bottom, canvas.Target().Height());
  for (int y = top; y < bottom; ++y) brush.Span(y, rect.Left, rect.Right);
}

// One-pixel path with the pen's dash pattern running on across the segments.
void DrawThinPath(TCanvas& canvas, std::span<const TPoint> points, bool closed) {
  const TPen& pen = canvas.Pen();
  const PixelPaint paint = PixelPaint::Make(ColorToRGB(pen.Color()), pen.Mode());
  if (!paint.Paints()) return;
  const DashPattern dash = DashPattern::ForStyle(pen.Style());
  TBitmap& surface = canvas.Target();
  std::int64_t position = 0;
  for (std::size_t i = 0; i + 1 < points.size(); ++i)
    raster::DrawThinLine(surface, points[i], points[i + 1], paint, dash, position);
  if (closed && points.size() > 1) raster::DrawThinLine(surface, points.back(), points.front(), paint, dash, position);
}

void StrokeWidePath(TCanvas& canvas, std::span<const PointF> path, bool closed) {
  SpanPainter pen = PenPainter(canvas);
  if (pen.Paints()) raster::StrokeWide(path, closed, canvas.Pen().Width(), SurfaceRect(canvas.Target()), pen);
}

void StrokePath(TCanvas& canvas, std::span<const TPoint> points, bool closed) {
  if (!PenDraws(canvas.Pen()) || points.empty()) return;
  if (PenIsWide(canvas.Pen())) StrokeWidePath(canvas, raster::ToPointsF(points), closed);
  else DrawThinPath(canvas, points, closed);
}

// The border pixels of box with a solid one-pixel pen, each painted once.
void OutlineBorder(TCanvas& canvas, const TRect& box) {
  SpanPainter pen = PenPainter(canvas);
  pen.Span(box.Top, box.Left, box.Right);
  if (box.Bottom - 1 > box.Top) pen.Span(box.Bottom - 1, box.Left, box.Right);
  pen.Column(box.Left, box.Top + 1, box.Bottom - 1);
  if (box.Right - 1 > box.Left) pen.Column(box.Right - 1, box.Top + 1, box.Bottom - 1);
}

void OutlineRectangle(TCanvas& canvas, const TRect& box) {
  const TPen& pen = canvas.Pen();
  if (PenIsWide(pen)) {
    const double inset = FrameInset(pen);
    const double l = box.Left + inset, t = box.Top + inset, r = box.Right - 1 - inset, b = box.Bottom - 1 - inset;
    const PointF corners[] = {{l, t}, {r, t}, {r, b}, {l, b}};
    StrokeWidePath(canvas, corners, true);
  } else if (DashPattern::ForStyle(pen.Style()).Solid() || box.Right - 1 == box.Left || box.Bottom - 1 == box.Top) {
    OutlineBorder(canvas, box);
  } else {
    const TPoint corners[] = {
        {box.Left, box.Top}, {box.Right - 1, box.Top}, {box.Right - 1, box.Bottom - 1}, {box.Left, box.Bottom - 1}};
    DrawThinPath(canvas, corners, true);
  }
}

}  // namespace

TCanvas::TCanvas(TBitmap& target) : target_(target) {}

TCanvas::~TCanvas() = default;

TColor TCanvas::Pixel(int x, int y) const { return target_.Pixel(x, y); }

void TCanvas::SetPixel(int x, int y, TColor color) {
  target_.SetPixel(x, y, color);
  target_.Changed();
}

void TCanvas::FillRect(const TRect& rect) {
  FillArea(*this, rect, pmCopy);
  target_.Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  const TRect box = Normalised(left, top, right, bottom);
  if (box.IsEmpty()) return;
  FillArea(*this, {box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1}, pen_.Mode());
  if (PenDraws(pen_)) OutlineRectangle(*this, box);
  target_.Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  const TRect box = Normalised(left, top, right, bottom);
  if (box.IsEmpty()) return;
  const raster::EllipseRaster ellipse(box);
  SpanPainter brush = BrushPainter(*this);
  SpanPainter pen = PenPainter(*this);
  if (PenIsWide(pen_) && PenDraws(pen_)) {
    ellipse.Rasterize(SurfaceRect(target_), nullptr, brush.Paints() ? &brush : nullptr);
    StrokeWidePath(*this, ellipse.CurvePath(FrameInset(pen_)), true);
  } else {
    ellipse.Rasterize(SurfaceRect(target_), pen.Paints() ? &pen : nullptr, brush.Paints() ? &brush : nullptr);
  }
  target_.Changed();
}

void TCanvas::Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) {
  const TRect box = Normalised(left, top, right, bottom);
  if (box.IsEmpty() || !PenDraws(pen_)) return;
  const raster::EllipseRaster ellipse(box);
  if (PenIsWide(pen_)) {
    StrokeWidePath(*this, ellipse.ArcPath(FrameInset(pen_), {startX, startY}, {endX, endY}), false);
  } else {
    SpanPainter pen = PenPainter(*this);
    ellipse.RasterizeArc(SurfaceRect(target_), {startX, startY}, {endX, endY}, pen);
  }
  target_.Changed();
}

void TCanvas::Polygon(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  SpanPainter brush = BrushPainter(*this);
  if (brush.Paints()) raster::FillPolygonEvenOdd(points, SurfaceRect(target_), brush);
  StrokePath(*this, points, true);
  target_.Changed();
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  StrokePath(*this, points, false);
  target_.Changed();
}

void TCanvas::MoveTo(int x, int y) { penPos_ = {x, y}; }

void TCanvas::LineTo(int x, int y) {
  // A line to the current point paints nothing: the last point of a line is
  // never painted, whatever the pen's width.
  const TPoint line[] = {penPos_, {x, y}};
  if (line[0] != line[1]) StrokePath(*this, line, false);
  penPos_ = {x, y};
  target_.Changed();
}

bool TCanvas::PointVisible(int x, int y) const {
  if (!SurfaceRect(target_).Contains(x, y)) return false;
  return !visibilityTest_ || visibilityTest_(x, y);
}

}  // namespace tintoral
