// TiSlider drawing: background and border, the track in one of four styles,
// the tick scale, the pointer in one of six styles and the focus rectangle,
// all from the geometry of the slider's size and properties; painting
// changes no setting.
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
  const TiSliderGeometry geometry = Geometry();
  DrawBackground(canvas, BackGroundColor());
  canvas.Brush().SetStyle(bsSolid);
  DrawTrack(canvas, geometry.Track);
  Scale().DrawScale(canvas, ScalePlacement(geometry));
  canvas.Brush().SetStyle(bsSolid);
  DrawPointer(canvas, geometry.Pointer);
  if (showFocusRect_ && HasFocus()) DrawColorFocusFrame(canvas, TRect{0, 0, Width(), Height()}, BackGroundColor());
}

// ---- Track --------------------------------------------------------------------

void TiSlider::DrawTrack(TCanvas& canvas, const TRect& track) const {
  switch (trackStyle_) {
    case istsBox: DrawBoxTrack(canvas, track); break;
    case istsLine: {
      const TColor line[4] = {clNone, clNone, trackColor_, clNone};
      DrawTrackLines(canvas, track, line);
      break;
    }
    case istsBevelLowered: {
      const TColor lowered[4] = {clBtnShadow, clBtnShadow, clBtnHighlight, clBtnHighlight};
      DrawTrackLines(canvas, track, lowered);
      break;
    }
    case istsBevelRasied: {
      const TColor raised[4] = {clBtnHighlight, clBtnHighlight, clBtnShadow, clBtnShadow};
      DrawTrackLines(canvas, track, raised);
      break;
    }
  }
}

void TiSlider::DrawBoxTrack(TCanvas& canvas, const TRect& track) const {
  const auto [l, t, r, b] = track;
  canvas.Brush().SetColor(trackColor_);
  canvas.FillRect(track);
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
void TiSlider::DrawTrackLines(TCanvas& canvas, const TRect& track, const TColor (&colors)[4]) const {
  const auto [l, t, r, b] = track;
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

// ---- Pointer --------------------------------------------------------------------

TColor TiSlider::IndicatorColor(bool active) const {
  return active ? pointerIndicatorActiveColor_ : pointerIndicatorInactiveColor_;
}

void TiSlider::DrawPointer(TCanvas& canvas, const TRect& pointer) const {
  const TColor face = mouseDragging_ ? clBtnHighlight : clBtnFace;
  switch (pointerStyle_) {
    case ispsLed: DrawLedPointer(canvas, pointer); break;
    case ispsPointer: DrawArrowPointer(canvas, pointer); break;
    case ispsBar: DrawBarPointer(canvas, pointer, clBtnFace, face); break;
    case ispsLightBar:
      DrawBarPointer(canvas, pointer, clBtnFace, clBtnFace);
      DrawLightBarLines(canvas, pointer);
      break;
    case ispsBarColor:
      DrawBarPointer(canvas, pointer, IndicatorColor(mouseDragging_), IndicatorColor(mouseDragging_));
      break;
    case ispsBitmap: DrawBitmapPointer(canvas, pointer); break;
  }
}

void TiSlider::DrawLedPointer(TCanvas& canvas, const TRect& pointer) const {
  const auto [l, t, r, b] = pointer;
  SetPenAndBrush(canvas, clBtnFace, clBtnFace);
  canvas.Rectangle(pointer);
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
void TiSlider::DrawArrowPointer(TCanvas& canvas, const TRect& pointer) const {
  const auto [l, t, r, b] = pointer;
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

void TiSlider::DrawBarPointer(TCanvas& canvas, const TRect& pointer, TColor penColor, TColor brushColor) const {
  SetPenAndBrush(canvas, penColor, brushColor);
  canvas.Rectangle(pointer);
  DrawBarEdges(canvas, pointer);
}

// Black, indicator and white lines across the middle of the bar.
void TiSlider::DrawLightBarLines(TCanvas& canvas, const TRect& pointer) const {
  const auto [l, t, r, b] = pointer;
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
void TiSlider::DrawBitmapPointer(TCanvas& canvas, const TRect& pointer) const {
  const TBitmap& picture = *pointerBitmap_;
  if (picture.Empty()) return;
  const auto [l, t, r, b] = pointer;
  canvas.Draw((l + r) / 2 - picture.Width() / 2, (t + b) / 2 - picture.Height() / 2, picture);
}

}  // namespace tintoral
