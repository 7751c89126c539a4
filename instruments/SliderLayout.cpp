// TiSlider geometry, from size and properties alone: the travel of the
// pointer, the track and pointer rectangles with their shifts, the scale's
// placement, and the mapping of a pixel to a position.
#include <algorithm>
#include <cmath>
#include <string>

#include "instruments/Slider.h"
#include "instruments/base/ScaleMap.h"
#include "instruments/base/ScaleObject.h"
#include "platform/graphics/FontResolver.h"
#include "platform/window/Control.h"
#include "runtime/NumberText.h"

namespace tintoral {
namespace {

constexpr int LedSideGap = 2;
constexpr int PointerOverhangOfShapes = 4;
constexpr int SideGapOfShapes = LedSideGap + 5;

}  // namespace

// The geometry works on its inputs held within ±kCoordinateLimit, like the
// control's bounds, so that sums of a few of them cannot overflow.
int TiSlider::EndsMarginPixels() const { return ClampCoordinate(endsMargin_); }
int TiSlider::PointerHeightPixels() const { return ClampCoordinate(pointerHeight_); }
int TiSlider::PointerWidthPixels() const { return ClampCoordinate(pointerWidth_); }

int TiSlider::UsableLength() const {
  const int extent = Vertical() ? Height() : Width();
  return extent - PointerHeightPixels() - 2 * EndsMarginPixels() - 2 * pointerInset_;
}

// Positions over the pointer's travel, so that the pointer's centre lands
// on the tick of its value, crossed limits included.
TScaleMap TiSlider::PointerTravel() const {
  const TScaleMap forward{PositionMin(), PositionMax(), 0, UsableLength()};
  return reverseScale_ ? forward.Reversed() : forward;
}

int TiSlider::PointerOffset() const {
  const int usable = UsableLength();
  if (usable <= 0) return 0;
  return std::clamp(PointerTravel().ValueToPixel(Position()), 0, usable);
}

double TiSlider::TravelOffsetOfPixel(int p) const {
  // From the client's end to the pointer's centre line at that end of the travel.
  const double endToCentre = EndsMarginPixels() + pointerInset_ + PointerHeightPixels() / 2.0;
  return Vertical() ? (Height() - endToCentre) - p : p - endToCentre;
}

double TiSlider::PixelToPosition(int p) const {
  if (UsableLength() <= 0) return Position();
  return PointerTravel().PixelToValue(TravelOffsetOfPixel(p), Position());
}

TRect TiSlider::UnshiftedTrackRect(int sideGap) const {
  const int g = sideGap;
  const int w = PointerWidthPixels() + 2 * pointerInset_;
  const int em = EndsMarginPixels();
  if (Vertical()) {
    if (ScaleOnBottomRight()) return {g, em, g + w, Height() - em};
    return {Width() - g - w, em, Width() - g, Height() - em};
  }
  if (ScaleOnBottomRight()) return {em, g, Width() - em, g + w};
  return {em, Height() - g - w, Width() - em, Height() - g};
}

TRect TiSlider::UnshiftedPointerRect(const TRect& t, int overhang) const {
  const int i = pointerInset_;
  const int h = PointerHeightPixels();
  const int o = PointerOffset();
  // The LED sits inside the track; the other shapes stick out on both sides.
  const int across = pointerStyle_ == ispsLed ? -i : overhang;
  if (Vertical()) return {t.Left - across, t.Bottom - i - o - h, t.Right + across, t.Bottom - i - o};
  return {t.Left + i + o, t.Top - across, t.Left + i + o + h, t.Bottom + across};
}

// How far the scale reaches beyond the track's edge.
int TiSlider::ScaleDepth() const {
  if (ShowTickLabels()) {
    const ResolvedFont& font = ResolveFont(TickLabelFont());
    // The label of the maximum as the scale writes it (FixedText writes no
    // blanks, so there is nothing to trim).
    const std::string widest = FixedText(PositionMax(), GetLabelPrecision());
    const int extent = Vertical() ? font.TextWidth(widest) : font.CellHeight();
    return ClampCoordinate(TickMargin()) + ClampCoordinate(TickMajorLength()) + ClampCoordinate(TickLabelMargin()) +
           extent;
  }
  if (ShowTicksMajor()) return ClampCoordinate(TickMargin()) + ClampCoordinate(TickMajorLength());
  return 0;
}

// Moves both rectangles away from the track's gap side (towards the scale)
// by `distance` pixels; a negative distance moves them back.
void TiSlider::ShiftAcrossTrack(TiSliderGeometry& geometry, int distance) const {
  const int d = ScaleOnBottomRight() ? distance : -distance;
  for (TRect* r : {&geometry.Track, &geometry.Pointer}) {
    if (Vertical()) {
      r->Left += d;
      r->Right += d;
    } else {
      r->Top += d;
      r->Bottom += d;
    }
  }
}

TiSliderGeometry TiSlider::Geometry() const {
  const bool led = pointerStyle_ == ispsLed;
  TiSliderGeometry g;
  g.PointerOverhang = led ? 0 : PointerOverhangOfShapes;
  g.TrackSideGap = led ? LedSideGap : SideGapOfShapes;
  g.Track = UnshiftedTrackRect(g.TrackSideGap);
  g.Pointer = UnshiftedPointerRect(g.Track, g.PointerOverhang);
  if (autoCenter_) {
    const int depth = ScaleDepth();
    if (Vertical()) g.CenterShiftX = (Width() - (depth + g.Track.Width() + g.PointerOverhang)) / 2;
    else g.CenterShiftY = (Height() - (depth + g.Track.Height() + g.PointerOverhang)) / 2;
  }
  ShiftAcrossTrack(g, ClampCoordinate(Vertical() ? OffsetX() : OffsetY()));
  ShiftAcrossTrack(g, Vertical() ? g.CenterShiftX : g.CenterShiftY);
  return g;
}

// The scale runs between the pointer's middle pixels at the two ends of its
// travel. A vertical slider with an even pointer length takes the inner
// middle pixel at both ends, so its scale is one pixel shorter than the
// travel and a tick may lie one pixel beside the pointer's middle.
TiScalePlacement TiSlider::ScalePlacement(const TiSliderGeometry& geometry) const {
  const auto [l, t, r, b] = geometry.Track;
  const int i = pointerInset_;
  const int halfPointer = PointerHeightPixels() / 2;
  TiScalePlacement at{PositionMin(), PositionMax(), 0, 0, 0, orientation_, orientationTickMarks_};
  if (Vertical()) {
    at.FirstPixel = b - i - halfPointer - 1;
    at.LastPixel = t + i + halfPointer;
    at.EdgePixel = ScaleOnBottomRight() ? r : l;
  } else {
    at.FirstPixel = l + i + halfPointer;
    at.LastPixel = r - i - halfPointer;
    at.EdgePixel = ScaleOnBottomRight() ? b : t;
  }
  return at;
}

}  // namespace tintoral
