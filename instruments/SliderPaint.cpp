// TiSlider drawing: background and border, the track in one of four styles,
// the tick scale, the pointer in one of six styles and the focus rectangle,
// all from the rectangles that CalcLayout has just built.
#include <initializer_list>
#include <span>

#include "instruments/Slider.h"
#include "instruments/base/DrawingHelpers.h"
#include "platform/graphics/Canvas.h"

namespace tintoral {
namespace {

void PolylineThrough(TCanvas& canvas, std::initializer_list<TPoint> points) {
  canvas.Polyline(std::span<const TPoint>(points.begin(), points.size()));
}

void SetPenAndBrush(TCanvas& canvas, TColor pen, TColor brush) {
  canvas.Pen().SetColor(pen);
  canvas.Brush().SetColor(brush);
}

// The lit (white) top-left and the dark (black) bottom-right edges of a bar.
void DrawBarEdges(TCanvas& canvas, const TRect& p) {
  canvas.Pen().SetColor(clWhite);
  PolylineThrough(canvas, {{p.Left, p.Bottom}, {p.Left, p.Top}, {p.Right, p.Top}});
  canvas.Pen().SetColor(clBlack);
  PolylineThrough(canvas, {{p.Right, p.Top}, {p.Right, p.Bottom}, {p.Left, p.Bottom}});
}

}  // namespace

void TiSlider::PaintTo(TCanvas& canvas) {
  CalcLayout(canvas);
  DrawBackground(canvas, BackGroundColor());
  canvas.Brush().SetStyle(bsSolid);
  DrawTrack(canvas);
  DrawSliderScale(canvas);
  canvas.Brush().SetStyle(bsSolid);
  DrawPointer(canvas);
  if (showFocusRect_ && HasFocus()) DrawColorFocusFrame(canvas, TRect{0, 0, Width(), Height()}, BackGroundColor());
}

// ---- Track --------------------------------------------------------------------

void TiSlider::DrawTrack(TCanvas& canvas) const {
  switch (trackStyle_) {
    case istsBox: DrawBoxTrack(canvas); break;
    case istsLine: {
      const TColor line[4] = {clNone, clNone, trackColor_, clNone};
      DrawTrackLines(canvas, line);
      break;
    }
    case istsBevelLowered: {
      const TColor lowered[4] = {clBtnShadow, clBtnShadow, clBtnHighlight, clBtnHighlight};
      DrawTrackLines(canvas, lowered);
      break;
    }
    case istsBevelRasied: {
      const TColor raised[4] = {clBtnHighlight, clBtnHighlight, clBtnShadow, clBtnShadow};
      DrawTrackLines(canvas, raised);
      break;
    }
  }
}

void TiSlider::DrawBoxTrack(TCanvas& canvas) const {
  const auto [l, t, r, b] = trackRect_;
  canvas.Brush().SetColor(trackColor_);
  canvas.FillRect(trackRect_);
  canvas.Pen().SetColor(clBtnShadow);
  PolylineThrough(canvas, {{r, t}, {l, t}, {l, b}});
  // On a white background the inner shadow line turns black to stay visible.
  if (BackGroundColor() == clWhite) canvas.Pen().SetColor(clBlack);
  PolylineThrough(canvas, {{r - 1, t + 1}, {l + 1, t + 1}, {l + 1, b - 1}});
  canvas.Pen().SetColor(clBtnHighlight);
  PolylineThrough(canvas, {{r - 1, t}, {r - 1, b - 1}, {l, b - 1}});
  canvas.Pen().SetColor(clSilver);
  PolylineThrough(canvas, {{r - 2, t + 2}, {r - 2, b - 2}, {l, b - 2}});
}

// Lines along the track at m - 2, m - 1, m and m + 1 across it, in that
// order, in the given colours (clNone: no line).
void TiSlider::DrawTrackLines(TCanvas& canvas, const TColor (&colors)[4]) const {
  const auto [l, t, r, b] = trackRect_;
  const int i = pointerInset_;
  const int m = Vertical() ? (l + r) / 2 : (t + b) / 2;
  for (int k = 0; k < 4; ++k) {
    if (colors[k] == clNone) continue;
    const int across = m - 2 + k;
    canvas.Pen().SetColor(colors[k]);
    if (Vertical()) DrawLine(canvas, across, t + i, across, b - i);
    else DrawLine(canvas, l + i, across, r - i, across);
  }
}

// ---- Scale ----------------------------------------------------------------------

// The scale runs between the pointer's middle pixels at the two ends of its
// travel, as the slider has always drawn it. A vertical slider with an even
// pointer length takes the inner middle pixel at both ends, so its scale is
// one pixel shorter than the travel and a tick may lie one pixel beside the
// pointer's middle.
void TiSlider::DrawSliderScale(TCanvas& canvas) {
  const auto [l, t, r, b] = trackRect_;
  const int i = pointerInset_;
  const int halfPointer = PointerHeightPixels() / 2;
  TiScaleObject& scale = Scale();
  scale.SetScaleRange(PositionMin(), PositionMax());
  scale.SetOrientation(orientation_);
  scale.SetSide(orientationTickMarks_);
  if (Vertical()) {
    scale.SetPixelSpan(b - i - halfPointer - 1, t + i + halfPointer);
    scale.SetEdgePixel(ScaleOnBottomRight() ? r : l);
  } else {
    scale.SetPixelSpan(l + i + halfPointer, r - i - halfPointer);
    scale.SetEdgePixel(ScaleOnBottomRight() ? b : t);
  }
  scale.DrawScale(canvas);
}

// ---- Pointer --------------------------------------------------------------------

TColor TiSlider::IndicatorColor(bool active) const {
  return active ? pointerIndicatorActiveColor_ : pointerIndicatorInactiveColor_;
}

void TiSlider::DrawPointer(TCanvas& canvas) const {
  const TColor face = mouseDragging_ ? clBtnHighlight : clBtnFace;
  switch (pointerStyle_) {
    case ispsLed: DrawLedPointer(canvas); break;
    case ispsPointer: DrawArrowPointer(canvas); break;
    case ispsBar: DrawBarPointer(canvas, clBtnFace, face); break;
    case ispsLightBar:
      DrawBarPointer(canvas, clBtnFace, clBtnFace);
      DrawLightBarLines(canvas);
      break;
    case ispsBarColor: DrawBarPointer(canvas, IndicatorColor(mouseDragging_), IndicatorColor(mouseDragging_)); break;
    case ispsBitmap: DrawBitmapPointer(canvas); break;
  }
}

void TiSlider::DrawLedPointer(TCanvas& canvas) const {
  const auto [l, t, r, b] = pointerRect_;
  SetPenAndBrush(canvas, clBtnFace, clBtnFace);
  canvas.Rectangle(pointerRect_);
  const TColor indicator = IndicatorColor(mouseDragging_ || keyboardActive_);
  SetPenAndBrush(canvas, indicator, indicator);
  canvas.Rectangle(l + 1, t + 1, r - 2, b - 2);
  canvas.Pen().SetColor(clGray);
  PolylineThrough(canvas, {{l + 1, b - 2}, {l + 1, t + 1}, {r - 2, t + 1}});
  canvas.Pen().SetColor(clWhite);
  PolylineThrough(canvas, {{l + 3, t + 3}, {l + 5, t + 3}});
}

// A five-cornered arrow whose tip points at the scale, with a white line
// along its lit edges.
void TiSlider::DrawArrowPointer(TCanvas& canvas) const {
  const auto [l, t, r, b] = pointerRect_;
  SetPenAndBrush(canvas, clBlack, mouseDragging_ ? clBtnHighlight : clBtnFace);
  const int midY = (b + t) / 2;
  const int midX = (r + l) / 2;
  const int headX = (b - t) / 2;
  const int headY = (r - l) / 2;
  if (Vertical() && ScaleOnBottomRight()) {
    const TPoint corners[] = {{l, t}, {r - headX, t}, {r, midY}, {r - headX, b}, {l, b}};
    canvas.Polygon(corners);
    canvas.Pen().SetColor(clWhite);
    PolylineThrough(canvas, {{l, b}, {l, t}, {r - headX, t}, {r, midY}});
  } else if (Vertical()) {
    const TPoint corners[] = {{r, t}, {l + headX, t}, {l, midY}, {l + headX, b}, {r, b}};
    canvas.Polygon(corners);
    canvas.Pen().SetColor(clWhite);
    PolylineThrough(canvas, {{r, t}, {l + headX, t}, {l, midY}});
  } else if (ScaleOnBottomRight()) {
    const TPoint corners[] = {{l, t}, {l, b - headY}, {midX, b}, {r, b - headY}, {r, t}};
    canvas.Polygon(corners);
    canvas.Pen().SetColor(clWhite);
    PolylineThrough(canvas, {{r, t}, {l, t}, {l, b - headY}, {midX, b}});
  } else {
    const TPoint corners[] = {{l, b}, {l, t + headY}, {midX, t}, {r, t + headY}, {r, b}};
    canvas.Polygon(corners);
    canvas.Pen().SetColor(clWhite);
    PolylineThrough(canvas, {{l, b}, {l, t + headY}, {midX, t}});
  }
}

void TiSlider::DrawBarPointer(TCanvas& canvas, TColor penColor, TColor brushColor) const {
  SetPenAndBrush(canvas, penColor, brushColor);
  canvas.Rectangle(pointerRect_);
  DrawBarEdges(canvas, pointerRect_);
}

// Black, indicator and white lines across the middle of the bar.
void TiSlider::DrawLightBarLines(TCanvas& canvas) const {
  const auto [l, t, r, b] = pointerRect_;
  const TColor colors[3] = {clBlack, IndicatorColor(mouseDragging_), clWhite};
  for (int k = 0; k < 3; ++k) {
    canvas.Pen().SetColor(colors[k]);
    if (Vertical()) {
      const int y = (t + b) / 2 - 1 + k;
      DrawLine(canvas, l + 1, y, r - 1, y);
    } else {
      const int x = (l + r) / 2 - 1 + k;
      DrawLine(canvas, x, t + 1, x, b - 1);
    }
  }
}

// The picture unscaled, centred on the pointer, its transparent colour left out.
void TiSlider::DrawBitmapPointer(TCanvas& canvas) const {
  const TBitmap& picture = *pointerBitmap_;
  if (picture.Empty()) return;
  const auto [l, t, r, b] = pointerRect_;
  canvas.Draw((l + r) / 2 - picture.Width() / 2, (t + b) / 2 - picture.Height() / 2, picture);
}

}  // namespace tintoral
