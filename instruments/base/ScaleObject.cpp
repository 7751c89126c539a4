#include "instruments/base/ScaleObject.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "instruments/base/DrawingHelpers.h"
#include "platform/graphics/Canvas.h"
#include "platform/window/Control.h"
#include "runtime/ClassBuilder.h"
#include "runtime/NumberText.h"

namespace tintoral {

namespace {

// A guard for minor ticks continued beyond the tick range: a scale range
// vastly wider than the tick range must not draw without end.
constexpr int kMaxMinorTicksBeyondRange = 10000;

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::int32_t LabelDecimals(TiPrecisionStyle style, std::int32_t precision, double min, double max) {
  if (style == ipsFixedDecimalPoints) return precision;
  if (precision <= 0) return 0;
  const double range = std::fabs(max - min);
  if (!std::isfinite(range)) return 0;
  // In 64 bits: a precision near the int maximum over a narrow range adds up past it.
  std::int64_t decimals = 0;
  if (range != 0) decimals = std::int64_t{precision} - (static_cast<std::int64_t>(std::trunc(Log10(range))) + 1);
  if (range < 1) decimals += 1;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(decimals, 0, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t ScaleValueToPixel(double value, double min, double max, std::int64_t minPixel, std::int64_t maxPixel) {
  return TScaleMap{min, max, minPixel, maxPixel}.ValueToPixel(value);
}

const TClassInfo& TiScaleObject::StaticClass() {
  static const TClassInfo info =
      DescribeClass<TiScaleObject>("TiScaleObject", TPersistent::StaticClass(), [](auto&) {});
  return info;
}

TiScaleObject::TiScaleObject() {
  tickLabelFont_.SetOnChange([this] { Changed(); });
}

void TiScaleObject::Changed() { onChange_(this); }

template <class V>
void TiScaleObject::Store(V value, V& field) {
  if (field == value) return;
  field = value;
  Changed();
}

// Stores a different value, then brings it into [min, max].
void TiScaleObject::StoreClamped(std::int32_t value, std::int32_t min, std::int32_t max, std::int32_t& field) {
  if (field == value) return;
  field = std::clamp(value, min, max);
  Changed();
}

void TiScaleObject::SetShowTicksMinor(bool value) { Store(value, showTicksMinor_); }
void TiScaleObject::SetShowTicksMajor(bool value) { Store(value, showTicksMajor_); }
void TiScaleObject::SetShowTickLabels(bool value) { Store(value, showTickLabels_); }
void TiScaleObject::SetTickMinorCount(std::int32_t value) { StoreClamped(value, 1, 100, tickMinorCount_); }
void TiScaleObject::SetTickMinorLength(std::int32_t value) {
  StoreClamped(value, 1, std::numeric_limits<std::int32_t>::max(), tickMinorLength_);
}
void TiScaleObject::SetTickMajorLength(std::int32_t value) {
  StoreClamped(value, 1, std::numeric_limits<std::int32_t>::max(), tickMajorLength_);
}
void TiScaleObject::SetTickMargin(std::int32_t value) { Store(value, tickMargin_); }
void TiScaleObject::SetTickMajorCount(std::int32_t value) { StoreClamped(value, 2, 100, tickMajorCount_); }
void TiScaleObject::SetTickLabelPrecision(std::int32_t value) {
  StoreClamped(value, 0, std::numeric_limits<std::int32_t>::max(), tickLabelPrecision_);
}
void TiScaleObject::SetTickLabelMargin(std::int32_t value) { Store(value, tickLabelMargin_); }
void TiScaleObject::SetTickMinorColor(TColor value) { Store(value, tickMinorColor_); }
void TiScaleObject::SetTickMajorColor(TColor value) { Store(value, tickMajorColor_); }
void TiScaleObject::SetTickLabelFont(const TFont& value) { tickLabelFont_.Assign(value); }
void TiScaleObject::SetTickMinorAlignment(TiTickMinorAlignment value) { Store(value, tickMinorAlignment_); }
void TiScaleObject::SetTickMajorStyle(TiBevelStyle value) { Store(value, tickMajorStyle_); }
void TiScaleObject::SetTickMinorStyle(TiBevelStyle value) { Store(value, tickMinorStyle_); }
void TiScaleObject::SetReverseScale(bool value) { Store(value, reverseScale_); }
void TiScaleObject::SetPrecisionStyle(TiPrecisionStyle value) { Store(value, precisionStyle_); }
void TiScaleObject::SetAutoScaleEnabled(bool value) { Store(value, autoScaleEnabled_); }
void TiScaleObject::SetAutoScaleMaxTicks(std::int32_t value) { Store(value, autoScaleMaxTicks_); }
void TiScaleObject::SetAutoScaleDesiredTicks(std::int32_t value) { Store(value, autoScaleDesiredTicks_); }
void TiScaleObject::SetAutoScaleStyle(TiAutoScaleStyle value) { Store(value, autoScaleStyle_); }

void TiScaleObject::SetTickRange(double min, double max) {
  if (tickRangeMin_ == min && tickRangeMax_ == max) return;
  tickRangeMin_ = min;
  tickRangeMax_ = max;
  Changed();
}

TScaleMap TiScaleObject::MapOf(const TiScalePlacement& at) const {
  const TScaleMap forward{at.ScaleMin, at.ScaleMax, at.FirstPixel, at.LastPixel};
  return reverseScale_ ? forward.Reversed() : forward;
}

std::int32_t TiScaleObject::EffectivePrecision() const {
  return LabelDecimals(precisionStyle_, tickLabelPrecision_, placement_.ScaleMin, placement_.ScaleMax);
}

// A whole value without decimals (the usual label) is written straight as
// its integer, the text FixedText gives it, without the general rounding.
std::string TiScaleObject::LabelText(double value, std::int32_t decimals) {
  if (decimals <= 0 && std::fabs(value) < 1e15 && value == std::trunc(value))
    return std::to_string(static_cast<std::int64_t>(value));
  return Trimmed(FixedText(value, decimals));
}

namespace {

// A tick of `length` pixels (negative: towards the top or left) from the
// line `start`, at `pixel` along the track.
void DrawTick(TCanvas& canvas, TiOrientation orientation, std::int32_t start, std::int32_t length, std::int32_t pixel,
              TiBevelStyle style) {
  if (orientation == ioVertical) DrawBevelLine(canvas, start, pixel, start + length, pixel, style);
  else DrawBevelLine(canvas, pixel, start, pixel, start + length, style);
}

}  // namespace

void TiScaleObject::DrawLabel(TCanvas& canvas, const TiScalePlacement& at, std::int32_t index, const std::string& label,
                              std::int32_t pixel, std::int32_t labelLine) {
  std::string text = label;
  onCustomizeTickLabel_(this, index, text);
  const auto [width, height] = canvas.TextExtent(text);
  const bool bottomRight = at.Side == iosBottomRight;
  if (at.Orientation == ioVertical)
    canvas.TextOut(bottomRight ? labelLine : labelLine - width, pixel - height / 2, text);
  else canvas.TextOut(pixel - width / 2, bottomRight ? labelLine : labelLine - height, text);
}

// Minor ticks outside a fixed tick range, in the current pen: upwards from
// the last major tick to ScaleMax, then downwards from the first to
// ScaleMin. Only a positive step walks away from the tick range.
void TiScaleObject::DrawMinorTicksBeyondRange(TCanvas& canvas, const TiScalePlacement& at, double t0, double t1,
                                              double minorStep, std::int32_t minorStart) const {
  if (!(minorStep > 0)) return;
  const TScaleMap map = MapOf(at);
  const std::int32_t length = (at.Side == iosBottomRight ? 1 : -1) * ClampCoordinate(tickMinorLength_);
  double v = t1 + minorStep;
  for (int n = 0; v <= at.ScaleMax && n < kMaxMinorTicksBeyondRange; ++n, v += minorStep)
    DrawTick(canvas, at.Orientation, minorStart, length, map.ValueToPixel(v), tickMinorStyle_);
  v = t0 - minorStep;
  for (int n = 0; v >= at.ScaleMin && n < kMaxMinorTicksBeyondRange; ++n, v -= minorStep)
    DrawTick(canvas, at.Orientation, minorStart, length, map.ValueToPixel(v), tickMinorStyle_);
}

void TiScaleObject::DrawScale(TCanvas& canvas, const TiScalePlacement& at) {
  const bool fixedTickRange = autoScaleEnabled_ && autoScaleStyle_ == iassFixedMinMax;
  const double t0 = fixedTickRange ? tickRangeMin_ : at.ScaleMin;
  const double t1 = fixedTickRange ? tickRangeMax_ : at.ScaleMax;
  const double majorStep = (t1 - t0) / (tickMajorCount_ - 1);
  const double minorStep = majorStep / (tickMinorCount_ + 1);
  const TScaleMap map = MapOf(at);
  const std::int32_t decimals = LabelDecimals(precisionStyle_, tickLabelPrecision_, at.ScaleMin, at.ScaleMax);

  canvas.Brush().SetStyle(bsClear);
  canvas.Font().Assign(tickLabelFont_);

  // Lengths and margins held within the coordinate limit, so that their sums stay in int.
  const std::int32_t s = at.Side == iosBottomRight ? 1 : -1;
  const std::int32_t majorLength = ClampCoordinate(tickMajorLength_);
  const std::int32_t minorLength = ClampCoordinate(tickMinorLength_);
  const std::int32_t majorStart = ClampCoordinate(at.EdgePixel) + s * ClampCoordinate(tickMargin_);
  const std::int32_t labelLine = majorStart + s * (majorLength + ClampCoordinate(tickLabelMargin_));
  std::int32_t minorOffset = 0;
  if (tickMinorAlignment_ == itmnaCenter) minorOffset = majorLength / 2 - minorLength / 2;
  if (tickMinorAlignment_ == itmnaOutside) minorOffset = majorLength - minorLength;
  const std::int32_t minorStart = majorStart + s * minorOffset;

  for (std::int32_t i = 0; i < tickMajorCount_; ++i) {
    const double v = t0 + i * majorStep;
    const std::int32_t p = map.ValueToPixel(v);
    if (showTicksMajor_) {
      canvas.Pen().SetColor(tickMajorColor_);
      DrawTick(canvas, at.Orientation, majorStart, s * majorLength, p, tickMajorStyle_);
    }
    if (showTickLabels_) DrawLabel(canvas, at, i, LabelText(v, decimals), p, labelLine);
    if (showTicksMinor_ && showTicksMajor_ && i < tickMajorCount_ - 1) {
      canvas.Pen().SetColor(tickMinorColor_);
      for (std::int32_t k = 1; k <= tickMinorCount_; ++k)
        DrawTick(canvas, at.Orientation, minorStart, s * minorLength,
                 map.ValueToPixel(t0 + i * majorStep + k * minorStep), tickMinorStyle_);
    }
  }
  if (autoScaleStyle_ == iassFixedMinMax && showTicksMinor_ && minorStep != 0)
    DrawMinorTicksBeyondRange(canvas, at, t0, t1, minorStep, minorStart);
}

}  // namespace tintoral
