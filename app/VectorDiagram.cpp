#include "app/VectorDiagram.h"

#include "app/ColorSignals.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace tintoral {
namespace {

// The crossing of the axes; the vector starts here. 150 pixels per unit of
// U or V, with V growing upward.
constexpr TPoint kOrigin{153, 115};

// Black ground, then the green circle and axes merged onto it: the circle's
// black fill leaves the ground black under pmMerge. The circle's box is not
// centred on the axes' crossing; each has its own numbers.
void DrawReferenceFrame(TCanvas& canvas) {
  canvas.Brush().SetColor(clBlack);
  canvas.FillRect({0, 0, canvas.Target().Width(), canvas.Target().Height()});
  canvas.Pen().SetMode(pmMerge);
  canvas.Pen().SetColor(clGreen);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Ellipse(53, 16, 253, 216);
  canvas.MoveTo(153, 10);
  canvas.LineTo(153, 222);
  canvas.MoveTo(44, 115);
  canvas.LineTo(260, 115);
}

// Aqua on opaque black cells, in "Lucida Console" 8 pt (through the font
// substitution); the canvas's other font attributes stay as they are.
void DrawTexts(TCanvas& canvas, const TChromaVector& vector) {
  canvas.Font().SetColor(clAqua);
  canvas.Font().SetName("Lucida Console");
  canvas.Font().SetSize(8);
  canvas.Brush().SetStyle(bsSolid);
  canvas.TextOut(5, 5, kAngleCaption);
  canvas.TextOut(5, 18, kModulusCaption);
  canvas.TextOut(35, 5, vector.AngleText);
  canvas.TextOut(35, 18, vector.ModulusText);
}

// A 3-pixel aqua line merged onto the frame: aqua OR green is aqua, so the
// vector stays aqua where it crosses an axis or the circle.
void DrawVector(TCanvas& canvas, const TChromaVector& vector) {
  canvas.MoveTo(kOrigin.X, kOrigin.Y);
  canvas.Pen().SetColor(clAqua);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(3);
  canvas.LineTo(kOrigin.X + vector.VectorDX, kOrigin.Y - vector.VectorDY);
}

}  // namespace

void DrawVectorDiagram(TCanvas& canvas, double u, double v) {
  const TChromaVector vector = ComputeChromaVector(u, v);
  DrawReferenceFrame(canvas);
  DrawTexts(canvas, vector);
  DrawVector(canvas, vector);
}

}  // namespace tintoral
