#include "app/Vectorscope.h"

#include <algorithm>
#include <string>

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

TPoint PointOf(const TColorSignalValues& s) { return {kCentre + s.VectorDX, kCentre - s.VectorDY}; }

// The vector's pixels: from the centre to the tip, a 3-pixel pen.
TRect VectorBox(const TPoint& tip) {
  return {std::min(kCentre, tip.X) - 2, std::min(kCentre, tip.Y) - 2, std::max(kCentre, tip.X) + 3,
          std::max(kCentre, tip.Y) + 3};
}

// The U and V texts' pixels, with a margin for glyphs that overhang.
TRect TextBox(TCanvas& canvas, const std::string& u, const std::string& v) {
  const int width = std::max(canvas.TextWidth(u), canvas.TextWidth(v));
  return {2, 2, 4 + width + 2, 17 + canvas.TextHeight(v) + 2};
}

struct TCurrentParts {
  TRect Vector;
  TRect Texts;
};

TCurrentParts DrawCurrent(TCanvas& canvas, const TColorSignalValues& s) {
  const TPoint tip = PointOf(s);
  canvas.Pen().SetMode(pmCopy);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetColor(clAqua);
  canvas.Pen().SetWidth(3);
  canvas.MoveTo(kCentre, kCentre);
  canvas.LineTo(tip.X, tip.Y);
  canvas.Pen().SetWidth(1);
  canvas.Brush().SetStyle(bsClear);
  canvas.Font().SetName("Lucida Console");
  canvas.Font().SetColor(clAqua);
  canvas.Font().SetSize(8);
  const std::string u = "U: " + FixedText(s.U, 3), v = "V: " + FixedText(s.V, 3);
  canvas.TextOut(4, 4, u);
  canvas.TextOut(4, 17, v);
  return {VectorBox(tip), TextBox(canvas, u, v)};
}

}  // namespace

TPoint VectorscopePoint(const TSliderColor& color) {
  return PointOf(ComputeColorSignals(color.Red, color.Green, color.Blue));
}

TRect DrawVectorscope(TCanvas& canvas, const TColorSignalValues& current) {
  DrawGraticule(canvas);
  DrawTargets(canvas);
  DrawCurrent(canvas, current);
  return {0, 0, kVectorscopeSize, kVectorscopeSize};
}

std::vector<TRect> TVectorscopeSurface::Redraw(TCanvas& canvas, const TColorSignalValues& current) {
  const TRect whole{0, 0, kVectorscopeSize, kVectorscopeSize};
  const bool framed = frame_.Width() == kVectorscopeSize && frame_.Height() == kVectorscopeSize &&
                      canvas.Target().Width() == kVectorscopeSize && canvas.Target().Height() == kVectorscopeSize;
  if (!framed) {
    DrawGraticule(canvas);
    DrawTargets(canvas);
    frame_.Assign(canvas.Target());
    const TCurrentParts drawn = DrawCurrent(canvas, current);
    vector_ = drawn.Vector;
    texts_ = drawn.Texts;
    return {whole};
  }
  // The last vector and texts give way to the graticule beneath them.
  for (const TRect& part : {vector_, texts_}) canvas.CopyRect(part, frame_.Canvas(), part);
  const TCurrentParts drawn = DrawCurrent(canvas, current);
  const std::vector<TRect> changed{IntersectRects(UnionRects(vector_, drawn.Vector), whole),
                                   IntersectRects(UnionRects(texts_, drawn.Texts), whole)};
  vector_ = drawn.Vector;
  texts_ = drawn.Texts;
  return changed;
}

}  // namespace tintoral
