#include "app/VectorDiagram.h"

#include <algorithm>
#include <string>

#include "app/ColorSignals.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace tintoral {
namespace {

// The smallest rectangle holding both (an empty one adds nothing).
TRect UnionOfRects(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

TRect Inflated(const TRect& r, int margin) {
  return {r.Left - margin, r.Top - margin, r.Right + margin, r.Bottom + margin};
}

// The crossing of the axes; the vector starts here. 150 pixels per unit of
// U or V, with V growing upward.
constexpr TPoint kOrigin{153, 115};

// Black ground, then the green circle and axes merged onto it: the circle's
// black fill leaves the ground black under pmMerge. The circle's box is not
// centred on the axes' crossing; each has its own numbers.
void UseFramePen(TCanvas& canvas) {
  canvas.Pen().SetMode(pmMerge);
  canvas.Pen().SetColor(clGreen);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
}

void DrawReferenceFrame(TCanvas& canvas) {
  canvas.Brush().SetColor(clBlack);
  canvas.FillRect({0, 0, canvas.Target().Width(), canvas.Target().Height()});
  UseFramePen(canvas);
  canvas.Ellipse(53, 16, 253, 216);
  canvas.MoveTo(153, 10);
  canvas.LineTo(153, 222);
  canvas.MoveTo(44, 115);
  canvas.LineTo(260, 115);
}

// A text's cell, widened by its height on every side: a glyph may reach a
// little beyond its cell, never that far.
TRect TextArea(TCanvas& canvas, int x, int y, const std::string& text) {
  const TSize cell = canvas.TextExtent(text);
  return Inflated(Bounds(x, y, cell.Width, cell.Height), cell.Height);
}

// Aqua on opaque black cells, in "Lucida Console" 8 pt (through the font
// substitution); the canvas's other font attributes stay as they are.
// Returns the area of the two values (the captions never change).
TRect DrawTexts(TCanvas& canvas, const TChromaVector& vector) {
  canvas.Font().SetColor(clAqua);
  canvas.Font().SetName("Lucida Console");
  canvas.Font().SetSize(8);
  canvas.Brush().SetStyle(bsSolid);
  canvas.TextOut(5, 5, kAngleCaption);
  canvas.TextOut(5, 18, kModulusCaption);
  canvas.TextOut(35, 5, vector.AngleText);
  canvas.TextOut(35, 18, vector.ModulusText);
  return UnionOfRects(TextArea(canvas, 35, 5, vector.AngleText), TextArea(canvas, 35, 18, vector.ModulusText));
}

// A 3-pixel aqua line merged onto the frame: aqua OR green is aqua, so the
// vector stays aqua where it crosses an axis or the circle. Returns its
// area, widened by the pen's width for the round ends.
TRect DrawVector(TCanvas& canvas, const TChromaVector& vector) {
  constexpr int kPenWidth = 3;
  const TPoint tip{kOrigin.X + vector.VectorDX, kOrigin.Y - vector.VectorDY};
  canvas.MoveTo(kOrigin.X, kOrigin.Y);
  canvas.Pen().SetColor(clAqua);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(kPenWidth);
  canvas.LineTo(tip.X, tip.Y);
  const TRect line{std::min(kOrigin.X, tip.X), std::min(kOrigin.Y, tip.Y), std::max(kOrigin.X, tip.X) + 1,
                   std::max(kOrigin.Y, tip.Y) + 1};
  return Inflated(line, kPenWidth);
}

// The values on a canvas that holds the bare frame, the tools as the frame
// leaves them; returns their area.
TRect DrawValues(TCanvas& canvas, double u, double v) {
  const TChromaVector vector = ComputeChromaVector(u, v);
  const TRect texts = DrawTexts(canvas, vector);
  return UnionOfRects(texts, DrawVector(canvas, vector));
}

}  // namespace

TRect DrawVectorDiagram(TCanvas& canvas, double u, double v) {
  DrawReferenceFrame(canvas);
  return DrawValues(canvas, u, v);
}

TRect TVectorDiagramSurface::Redraw(TCanvas& canvas, double u, double v) {
  const TRect whole{0, 0, canvas.Target().Width(), canvas.Target().Height()};
  if (frame_.Width() != whole.Right || frame_.Height() != whole.Bottom) {
    DrawReferenceFrame(canvas);
    frame_ = TRunLengthImage(canvas.Target());
    last_ = DrawValues(canvas, u, v);
    return whole;
  }
  frame_.CopyTo(canvas.Target(), last_);
  canvas.Brush().SetColor(clBlack);
  UseFramePen(canvas);
  const TRect drawn = DrawValues(canvas, u, v);
  const TRect changed = IntersectRects(UnionOfRects(last_, drawn), whole);
  last_ = drawn;
  return changed;
}

}  // namespace tintoral
