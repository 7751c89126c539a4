// TiSlider geometry: the travel of the pointer, the track and pointer
// rectangles with their shifts, and the mapping of a pixel to a position.
#include <algorithm>
#include <cmath>
#include <string>

#include "instruments/Slider.h"
#include "platform/graphics/Canvas.h"
#include "runtime/NumberText.h"

namespace tintoral {
namespace {

constexpr int LedSideGap = 2;
constexpr int PointerOverhangOfShapes = 4;
constexpr int SideGapOfShapes = LedSideGap + 5;

}  // namespace

int TiSlider::UsableLength() const {
  const int extent = Vertical() ? Height() : Width();
  return extent - pointerHeight_ - 2 * endsMargin_ - 2 * pointerInset_;
}

int TiSlider::PointerOffset() const {
  const int usable = UsableLength();
  if (usable <= 0) return 0;
  const double n = std::nearbyint(usable * PositionFraction(Position()));
  const int offset = std::isfinite(n) ? static_cast<int>(std::clamp(n, 0.0, static_cast<double>(usable))) : 0;
  return reverseScale_ ? usable - offset : offset;
}

double TiSlider::PixelToPosition(int p) const {
  const int usable = UsableLength();
  if (usable <= 0) return Position();
  // From the client's end to the pointer's centre line at that end of the travel.
  const double endToCentre = endsMargin_ + pointerInset_ + pointerHeight_ / 2.0;
  double d = 0;
  if (Vertical()) d = reverseScale_ ? p - endToCentre : (Height() - endToCentre) - p;
  else d = reverseScale_ ? (Width() - endToCentre) - p : p - endToCentre;
  const double f = std::clamp(d / usable, 0.0, 1.0);
  return PositionMin() + (PositionMax() - PositionMin()) * f;
}

TRect TiSlider::UnshiftedTrackRect() const {
  const int g = trackSideGap_;
  const int w = pointerWidth_ + 2 * pointerInset_;
  const int em = endsMargin_;
  if (Vertical()) {
    if (ScaleOnBottomRight()) return {g, em, g + w, Height() - em};
    return {Width() - g - w, em, Width() - g, Height() - em};
  }
  if (ScaleOnBottomRight()) return {em, g, Width() - em, g + w};
  return {em, Height() - g - w, Width() - em, Height() - g};
}

TRect TiSlider::UnshiftedPointerRect(const TRect& t) const {
  const int i = pointerInset_;
  const int h = pointerHeight_;
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
    return TickMargin() + TickMajorLength() + TickLabelMargin() + extent;
  }
  if (ShowTicksMajor()) return TickMargin() + TickMajorLength();
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
  ShiftAcrossTrack(Vertical() ? OffsetX() : OffsetY());
  ShiftAcrossTrack(Vertical() ? centerShiftX_ : centerShiftY_);
}

}  // namespace tintoral
