// TiSlider geometry: the travel of the pointer, the track and pointer
// rectangles with their shifts, and the mapping of a pixel to a position.
#include <algorithm>
#include <cmath>
#include <string>

#include "instruments/Slider.h"
#include "instruments/base/ScaleMap.h"
#include "instruments/base/ScaleObject.h"
#include "platform/graphics/Canvas.h"
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

TRect TiSlider::UnshiftedTrackRect() const {
  const int g = trackSideGap_;
  const int w = PointerWidthPixels() + 2 * pointerInset_;
  const int em = EndsMarginPixels();
  if (Vertical()) {
    if (ScaleOnBottomRight()) return {g, em, g + w, Height() - em};
    return {Width() - g - w, em, Width() - g, Height() - em};
  }
  if (ScaleOnBottomRight()) return {em, g, Width() - em, g + w};
  return {em, Height() - g - w, Width() - em, Height() - g};
}

TRect TiSlider::UnshiftedPointerRect(const TRect& t) const {
  const int i = pointerInset_;
  const int h = PointerHeightPixels();
  const int o = PointerOffset();
  // The LED sits inside the track; the other shapes stick out on both sides.
  const int across = pointerStyle_ == ispsLed ? -i : pointerOverhang_;
  if (Vertical()) return {t.Left - across, t.Bottom - i - o - h, t.Right + across, t.Bottom - i - o};
  return {t.Left + i + o, t.Top - across, t.Left + i + o + h, t.Bottom + across};
}

// How far the scale reaches beyond the track's edge.
int TiSlider::ScaleDepth(TCanvas& canvas) {
  if (ShowTickLabels()) {
    canvas.Font().Assign(TickLabelFont());
    // The label of the maximum as the scale writes it (FixedText writes no
    // blanks, so there is nothing to trim).
    const std::string widest = FixedText(PositionMax(), GetLabelPrecision());
    const int extent = Vertical() ? canvas.TextWidth(widest) : canvas.TextHeight(widest);
    return ClampCoordinate(TickMargin()) + ClampCoordinate(TickMajorLength()) + ClampCoordinate(TickLabelMargin()) +
           extent;
  }
  if (ShowTicksMajor()) return ClampCoordinate(TickMargin()) + ClampCoordinate(TickMajorLength());
  return 0;
}

// Moves both rectangles away from the track's gap side (towards the scale)
// by `distance` pixels; a negative distance moves them back.
void TiSlider::ShiftAcrossTrack(int distance) {
  const int d = ScaleOnBottomRight() ? distance : -distance;
  for (TRect* r : {&trackRect_, &pointerRect_}) {
    if (Vertical()) {
      r->Left += d;
      r->Right += d;
    } else {
      r->Top += d;
      r->Bottom += d;
    }
  }
}

void TiSlider::CalcLayout(TCanvas& canvas) {
  const bool led = pointerStyle_ == ispsLed;
  pointerOverhang_ = led ? 0 : PointerOverhangOfShapes;
  trackSideGap_ = led ? LedSideGap : SideGapOfShapes;
  trackRect_ = UnshiftedTrackRect();
  pointerRect_ = UnshiftedPointerRect(trackRect_);

  centerShiftX_ = 0;
  centerShiftY_ = 0;
  if (autoCenter_) {
    const int depth = ScaleDepth(canvas);
    if (Vertical()) centerShiftX_ = (Width() - (depth + trackRect_.Width() + pointerOverhang_)) / 2;
    else centerShiftY_ = (Height() - (depth + trackRect_.Height() + pointerOverhang_)) / 2;
  }
  ShiftAcrossTrack(ClampCoordinate(Vertical() ? OffsetX() : OffsetY()));
  ShiftAcrossTrack(Vertical() ? centerShiftX_ : centerShiftY_);
}

}  // namespace tintoral
