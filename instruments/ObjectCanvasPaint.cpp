// TiObjectCanvas painting: the background, each visible object by kind in
// list order (storing its hit rectangle), then the border over them.
#include <cstdlib>
#include <string>

#include "instruments/ObjectCanvas.h"
#include "platform/graphics/Canvas.h"

namespace tintoral {

namespace {

void UseObjectBrush(TCanvas& canvas, const TiDrawObject& object) {
  canvas.Brush().SetColor(object.BrushColor);
  canvas.Brush().SetStyle(object.BrushStyle);
}

void UseObjectPen(TCanvas& canvas, const TiDrawObject& object) {
  canvas.Pen().SetColor(object.PenColor);
  canvas.Pen().SetStyle(object.PenStyle);
  canvas.Pen().SetWidth(object.PenWidth);
}

void UseObjectFont(TCanvas& canvas, const TiDrawObject& object) {
  TFont& font = canvas.Font();
  font.SetName(object.FontName);
  font.SetColor(object.FontColor);
  font.SetSize(object.FontSize);
  TFontStyles style = 0;
  if (object.FontBold) style |= FontStyleBit(fsBold);
  if (object.FontItalic) style |= FontStyleBit(fsItalic);
  if (object.FontUnderLine) style |= FontStyleBit(fsUnderline);
  if (object.FontStrikeOut) style |= FontStyleBit(fsStrikeOut);
  font.SetStyle(style);
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

}  // namespace

void TiObjectCanvas::PaintTo(TCanvas& canvas) {
  const Mapping m = CurrentMapping();
  DrawBackground(canvas, BackGroundColor());
  for (Entry& entry : objects_)
    if (entry.object->Visible) PaintObject(canvas, m, *entry.object);
  if (!Transparent()) DrawBorder(canvas);
}

void TiObjectCanvas::PaintObject(TCanvas& canvas, const Mapping& m, TiDrawObject& object) {
  switch (object.Kind) {
    case idokEllipse:
    case idokRectangle:
    case idokArc: PaintBoxed(canvas, m, object); break;
    case idokLine: PaintLine(canvas, m, object); break;
    case idokText: PaintText(canvas, m, object); break;
    case idokImage: PaintImage(canvas, m, object); break;
    case idokPolygon: PaintPolygon(canvas, m, object); break;
  }
}

TRect TiObjectCanvas::BoxOf(const Mapping& m, const TiDrawObject& object) const {
  TRect box{Px(m, object.X - object.Width / 2), Py(m, object.Y + object.Height / 2), Px(m, object.X + object.Width / 2),
            Py(m, object.Y - object.Height / 2)};
  // At least two pixels each way, so that a tiny object stays visible and clickable.
  if (std::llabs(static_cast<long long>(box.Left) - box.Right) < 2) box.Right = box.Left + 2;
  if (std::llabs(static_cast<long long>(box.Top) - box.Bottom) < 2) box.Bottom = box.Top + 2;
  return box;
}

// Ellipse, rectangle and arc: a bounding box of at least 2 × 2 pixels.
void TiObjectCanvas::PaintBoxed(TCanvas& canvas, const Mapping& m, TiDrawObject& object) {
  UseObjectBrush(canvas, object);
  UseObjectPen(canvas, object);
  const TRect box = BoxOf(m, object);
  object.HitRect = box;
  if (object.Kind == idokArc) {
    const TPoint center{(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2};
    const TPoint start = PointAtAngle(center, object.Width, object.StartAngle);
    const TPoint end = PointAtAngle(center, object.Width, object.EndAngle);
    canvas.Arc(box.Left, box.Top, box.Right, box.Bottom, start.X, start.Y, end.X, end.Y);
    return;
  }
  if (object.Kind == idokEllipse) canvas.Ellipse(box.Left, box.Top, box.Right, box.Bottom);
  else canvas.Rectangle(box);
  if (!IsBlank(object.Text)) PaintText(canvas, m, object);
}

// From (X, Y) to (Width, Height); the hit rectangle is not reordered, so a
// line drawn leftward or upward cannot be hit.
void TiObjectCanvas::PaintLine(TCanvas& canvas, const Mapping& m, TiDrawObject& object) {
  UseObjectPen(canvas, object);
  const TPoint points[2] = {{Px(m, object.X), Py(m, object.Y)}, {Px(m, object.Width), Py(m, object.Height)}};
  object.HitRect = TRect{points[0].X, points[0].Y, points[1].X, points[1].Y};
  canvas.Polyline(points);
}

void TiObjectCanvas::PaintText(TCanvas& canvas, const Mapping& m, TiDrawObject& object) {
  UseObjectBrush(canvas, object);
  UseObjectFont(canvas, object);
  const TPoint center{Px(m, object.X), Py(m, object.Y)};
  const TSize extent = canvas.TextExtent(object.Text);
  const int halfWidth = extent.Width / 2;
  const int halfHeight = extent.Height / 2;
  canvas.TextOut(center.X - halfWidth, center.Y - halfHeight, object.Text);
  object.HitRect = TRect{center.X - halfWidth, center.Y - halfHeight, center.X + halfWidth, center.Y + halfHeight};
}

void TiObjectCanvas::PaintImage(TCanvas& canvas, const Mapping& m, TiDrawObject& object) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(BackGroundColor());
  const TPoint center{Px(m, object.X), Py(m, object.Y)};
  const int halfWidth = imageList_.Width() / 2;
  const int halfHeight = imageList_.Height() / 2;
  object.HitRect = TRect{center.X - halfWidth, center.Y - halfHeight, center.X + halfWidth, center.Y + halfHeight};
  imageList_.Draw(canvas, object.HitRect.Left, object.HitRect.Top, object.ImageIndex);
}

// The polygon keeps the hit rectangle it had.
void TiObjectCanvas::PaintPolygon(TCanvas& canvas, const Mapping& m, const TiDrawObject& object) {
  UseObjectBrush(canvas, object);
  UseObjectPen(canvas, object);
  std::vector<TPoint> vertices;
  vertices.reserve(static_cast<std::size_t>(object.PointCount()));
  for (int i = 0; i < object.PointCount(); ++i) {
    const TiWorldPoint p = object.Point(i);
    vertices.push_back(TPoint{Px(m, p.X), Py(m, p.Y)});
  }
  canvas.Polygon(vertices);
}

}  // namespace tintoral
