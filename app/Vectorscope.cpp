#include "app/Vectorscope.h"

#include "app/ColorBars.h"
#include "app/ColorSignals.h"
#include "platform/graphics/Canvas.h"
#include "runtime/NumberText.h"

namespace tintoral {
namespace {

constexpr int kCentre = kVectorscopeSize / 2;
constexpr int kCircleRadius = 100;  // 2/3 of a unit, as on the main window

// The six coloured bars' short names, as a vectorscope's graticule prints them.
constexpr const char* kTargetNames[kColorBarCount] = {"", "Am", "Ci", "V", "Mg", "R", "Az", ""};

void DrawGraticule(TCanvas& canvas) {
  canvas.Brush().SetColor(clBlack);
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect({0, 0, kVectorscopeSize, kVectorscopeSize});
  canvas.Pen().SetMode(pmCopy);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(clGreen);
  canvas.Brush().SetStyle(bsClear);
  canvas.Ellipse(kCentre - kCircleRadius, kCentre - kCircleRadius, kCentre + kCircleRadius + 1,
                 kCentre + kCircleRadius + 1);
  canvas.MoveTo(kCentre, 4);
  canvas.LineTo(kCentre, kVectorscopeSize - 4);
  canvas.MoveTo(4, kCentre);
  canvas.LineTo(kVectorscopeSize - 4, kCentre);
}

void DrawTargets(TCanvas& canvas) {
  canvas.Font().SetName("Lucida Console");
  canvas.Font().SetSize(7);
  canvas.Font().SetColor(clYellow);
  for (int index = 1; index <= 6; ++index) {
    for (const TBarSet set : {TBarSet::Full, TBarSet::Reduced}) {
      const TPoint p = VectorscopePoint(BarColor(set, index));
      const int half = set == TBarSet::Full ? 6 : 4;
      canvas.Pen().SetColor(set == TBarSet::Full ? clYellow : clOlive);
      canvas.Rectangle(p.X - half, p.Y - half, p.X + half + 1, p.Y + half + 1);
      if (set == TBarSet::Full) canvas.TextOut(p.X + half + 2, p.Y - half - 2, kTargetNames[index]);
    }
  }
}

void DrawCurrent(TCanvas& canvas, const TSliderColor& current) {
  const TColorSignalValues s = ComputeColorSignals(current.Red, current.Green, current.Blue);
  const TPoint tip = VectorscopePoint(current);
  canvas.Pen().SetColor(clAqua);
  canvas.Pen().SetWidth(3);
  canvas.MoveTo(kCentre, kCentre);
  canvas.LineTo(tip.X, tip.Y);
  canvas.Pen().SetWidth(1);
  canvas.Font().SetColor(clAqua);
  canvas.Font().SetSize(8);
  canvas.TextOut(4, 4, "U: " + FixedText(s.U, 3));
  canvas.TextOut(4, 17, "V: " + FixedText(s.V, 3));
}

}  // namespace

TPoint VectorscopePoint(const TSliderColor& color) {
  const TColorSignalValues s = ComputeColorSignals(color.Red, color.Green, color.Blue);
  return {kCentre + s.VectorDX, kCentre - s.VectorDY};
}

TRect DrawVectorscope(TCanvas& canvas, const TSliderColor& current) {
  DrawGraticule(canvas);
  DrawTargets(canvas);
  DrawCurrent(canvas, current);
  return {0, 0, kVectorscopeSize, kVectorscopeSize};
}

TRect TVectorscopeSurface::Redraw(TCanvas& canvas, const TSliderColor& current) {
  if (frame_.Width() != kVectorscopeSize || frame_.Height() != kVectorscopeSize) {
    DrawGraticule(canvas);
    DrawTargets(canvas);
    frame_.Assign(canvas.Target());
  } else {
    canvas.Draw(0, 0, frame_);
  }
  DrawCurrent(canvas, current);
  return {0, 0, kVectorscopeSize, kVectorscopeSize};
}

}  // namespace tintoral
