#pragma once
// TiScaleObject: the tick settings of a linear scale and the drawing of its
// major ticks, minor ticks and numeric labels beside a track.
//
// A host (an instrument) hands DrawScale the placement - value range, pixel
// span, edge line, orientation and side - worked out from its own state, so
// that drawing changes no setting; the reverse flag is a tick setting. The
// scale also keeps a placement of its own for DrawScale without one. Every
// tick setting that changes calls the change callback (the owner's repaint
// with background); the placement is a plain assignment.
#include <cstdint>
#include <string>

#include "instruments/base/InstrumentTypes.h"
#include "instruments/base/ScaleMap.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "runtime/Event.h"
#include "runtime/Persistent.h"

namespace tintoral {

class TCanvas;

// (Sender, Index, var DisplayText): lets the user replace a tick label text.
using TOnCustomizeTickLabel = TEvent<std::int32_t, std::string&>;

// The number of label decimals: `precision` itself with
// ipsFixedDecimalPoints; with ipsSignificantDigits as many decimals as give
// `precision` significant digits over the range [min, max] (never negative).
std::int32_t LabelDecimals(TiPrecisionStyle style, std::int32_t precision, double min, double max);

// The pixel of `value` on the scale map {min, max, minPixel, maxPixel}
// (TScaleMap::ValueToPixel), for a caller without a map at hand.
std::int32_t ScaleValueToPixel(double value, double min, double max, std::int64_t minPixel, std::int64_t maxPixel);

// Where a scale is drawn: ScaleMin on FirstPixel and ScaleMax on LastPixel
// (the other way round with ReverseScale), the ticks starting from the line
// EdgePixel across the track, on the Side of it.
struct TiScalePlacement {
  double ScaleMin = 0;
  double ScaleMax = 0;
  std::int32_t FirstPixel = 0;
  std::int32_t LastPixel = 0;
  std::int32_t EdgePixel = 0;
  TiOrientation Orientation = ioVertical;
  TiOrientationSide Side = iosBottomRight;
};

class TiScaleObject : public TPersistent {
  TINTORAL_CLASS(TiScaleObject, TPersistent)

 public:
  TiScaleObject();

  // Tick settings.
  bool ShowTicksMinor() const { return showTicksMinor_; }
  void SetShowTicksMinor(bool value);
  bool ShowTicksMajor() const { return showTicksMajor_; }
  void SetShowTicksMajor(bool value);
  bool ShowTickLabels() const { return showTickLabels_; }
  void SetShowTickLabels(bool value);
  std::int32_t TickMinorCount() const { return tickMinorCount_; }
  void SetTickMinorCount(std::int32_t value);  // kept in 1..100
  std::int32_t TickMinorLength() const { return tickMinorLength_; }
  void SetTickMinorLength(std::int32_t value);  // at least 1
  std::int32_t TickMajorLength() const { return tickMajorLength_; }
  void SetTickMajorLength(std::int32_t value);  // at least 1
  std::int32_t TickMargin() const { return tickMargin_; }
  void SetTickMargin(std::int32_t value);
  std::int32_t TickMajorCount() const { return tickMajorCount_; }
  void SetTickMajorCount(std::int32_t value);  // kept in 2..100
  std::int32_t TickLabelPrecision() const { return tickLabelPrecision_; }
  void SetTickLabelPrecision(std::int32_t value);  // at least 0
  std::int32_t TickLabelMargin() const { return tickLabelMargin_; }
  void SetTickLabelMargin(std::int32_t value);
  TColor TickMinorColor() const { return tickMinorColor_; }
  void SetTickMinorColor(TColor value);
  TColor TickMajorColor() const { return tickMajorColor_; }
  void SetTickMajorColor(TColor value);
  TFont& TickLabelFont() { return tickLabelFont_; }
  const TFont& TickLabelFont() const { return tickLabelFont_; }
  void SetTickLabelFont(const TFont& value);  // copies the font
  TiTickMinorAlignment TickMinorAlignment() const { return tickMinorAlignment_; }
  void SetTickMinorAlignment(TiTickMinorAlignment value);
  TiBevelStyle TickMajorStyle() const { return tickMajorStyle_; }
  void SetTickMajorStyle(TiBevelStyle value);
  TiBevelStyle TickMinorStyle() const { return tickMinorStyle_; }
  void SetTickMinorStyle(TiBevelStyle value);
  bool ReverseScale() const { return reverseScale_; }
  void SetReverseScale(bool value);
  TiPrecisionStyle PrecisionStyle() const { return precisionStyle_; }
  void SetPrecisionStyle(TiPrecisionStyle value);
  const TOnCustomizeTickLabel& OnCustomizeTickLabel() const { return onCustomizeTickLabel_; }
  void SetOnCustomizeTickLabel(TOnCustomizeTickLabel value) { onCustomizeTickLabel_ = std::move(value); }

  // Copies of the owner's auto-scale settings.
  bool AutoScaleEnabled() const { return autoScaleEnabled_; }
  void SetAutoScaleEnabled(bool value);
  std::int32_t AutoScaleMaxTicks() const { return autoScaleMaxTicks_; }
  void SetAutoScaleMaxTicks(std::int32_t value);
  std::int32_t AutoScaleDesiredTicks() const { return autoScaleDesiredTicks_; }
  void SetAutoScaleDesiredTicks(std::int32_t value);
  TiAutoScaleStyle AutoScaleStyle() const { return autoScaleStyle_; }
  void SetAutoScaleStyle(TiAutoScaleStyle value);
  // First and last major tick value under iassFixedMinMax (set by auto-scale).
  double TickRangeMin() const { return tickRangeMin_; }
  double TickRangeMax() const { return tickRangeMax_; }
  void SetTickRange(double min, double max);

  // Called with this object after every change of a tick setting.
  void SetOnChange(TNotifyEvent callback) { onChange_ = std::move(callback); }

  // The scale's own placement, for DrawScale(canvas).
  const TiScalePlacement& Placement() const { return placement_; }
  double ScaleMax() const { return placement_.ScaleMax; }
  double ScaleMin() const { return placement_.ScaleMin; }
  void SetScaleRange(double min, double max) {
    placement_.ScaleMin = min;
    placement_.ScaleMax = max;
  }
  std::int32_t FirstPixel() const { return placement_.FirstPixel; }  // pixel of ScaleMin
  std::int32_t LastPixel() const { return placement_.LastPixel; }    // pixel of ScaleMax
  void SetPixelSpan(std::int32_t first, std::int32_t last) {
    placement_.FirstPixel = first;
    placement_.LastPixel = last;
  }
  std::int32_t EdgePixel() const { return placement_.EdgePixel; }  // line the ticks start from
  void SetEdgePixel(std::int32_t value) { placement_.EdgePixel = value; }
  TiOrientation Orientation() const { return placement_.Orientation; }
  void SetOrientation(TiOrientation value) { placement_.Orientation = value; }
  TiOrientationSide Side() const { return placement_.Side; }
  void SetSide(TiOrientationSide value) { placement_.Side = value; }

  // The value-to-pixel map of a placement, reversed with ReverseScale.
  TScaleMap MapOf(const TiScalePlacement& at) const;
  TScaleMap Map() const { return MapOf(placement_); }
  // The pixel of a value along the track (Map); values outside the range
  // extrapolate.
  std::int32_t ValueToPixel(double value) const { return Map().ValueToPixel(value); }
  // The number of decimals of the tick labels over the scale's own range.
  std::int32_t EffectivePrecision() const;
  // The label text of a tick value, before OnCustomizeTickLabel, with
  // `decimals` decimals (EffectivePrecision when left out).
  std::string LabelText(double value) const { return LabelText(value, EffectivePrecision()); }
  static std::string LabelText(double value, std::int32_t decimals);
  // The ticks and labels at the scale's own placement, or at `at`.
  void DrawScale(TCanvas& canvas) { DrawScale(canvas, placement_); }
  void DrawScale(TCanvas& canvas, const TiScalePlacement& at);

 private:
  void Changed();
  template <class V>
  void Store(V value, V& field);
  void StoreClamped(std::int32_t value, std::int32_t min, std::int32_t max, std::int32_t& field);
  void DrawLabel(TCanvas& canvas, const TiScalePlacement& at, std::int32_t index, const std::string& value,
                 std::int32_t pixel, std::int32_t labelLine);
  void DrawMinorTicksBeyondRange(TCanvas& canvas, const TiScalePlacement& at, double t0, double t1, double minorStep,
                                 std::int32_t minorStart) const;

  bool showTicksMinor_ = false;
  bool showTicksMajor_ = false;
  bool showTickLabels_ = false;
  std::int32_t tickMinorCount_ = 4;
  std::int32_t tickMinorLength_ = 3;
  std::int32_t tickMajorLength_ = 7;
  std::int32_t tickMargin_ = 5;
  std::int32_t tickMajorCount_ = 5;
  std::int32_t tickLabelPrecision_ = 0;
  std::int32_t tickLabelMargin_ = 5;
  TColor tickMinorColor_ = clBlack;
  TColor tickMajorColor_ = clBlack;
  TFont tickLabelFont_;
  TNotifyEvent onChange_;
  TiScalePlacement placement_;
  TiTickMinorAlignment tickMinorAlignment_ = itmnaInside;
  TiBevelStyle tickMajorStyle_ = ibsNone;
  TiBevelStyle tickMinorStyle_ = ibsNone;
  bool reverseScale_ = false;
  TiPrecisionStyle precisionStyle_ = ipsSignificantDigits;
  TOnCustomizeTickLabel onCustomizeTickLabel_;
  bool autoScaleEnabled_ = false;
  std::int32_t autoScaleMaxTicks_ = 6;
  std::int32_t autoScaleDesiredTicks_ = 5;
  TiAutoScaleStyle autoScaleStyle_ = iassAutoMinMax;
  double tickRangeMin_ = 0;
  double tickRangeMax_ = 0;
};

}  // namespace tintoral
