#pragma once
// TiScaleObject: the tick settings of a linear scale and the drawing of its
// major ticks, minor ticks and numeric labels beside a track.
//
// The host (an instrument) sets the drawing inputs - value range, pixel span,
// edge line, orientation, side, reverse flag - before each DrawScale. Every
// tick setting that changes calls the change callback (the owner's repaint
// with background); the drawing inputs are plain assignments.
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

  // Drawing inputs, set by the host before DrawScale.
  double ScaleMax() const { return scaleMax_; }
  double ScaleMin() const { return scaleMin_; }
  void SetScaleRange(double min, double max) {
    scaleMin_ = min;
    scaleMax_ = max;
  }
  std::int32_t FirstPixel() const { return firstPixel_; }  // pixel of ScaleMin
  std::int32_t LastPixel() const { return lastPixel_; }    // pixel of ScaleMax
  void SetPixelSpan(std::int32_t first, std::int32_t last) {
    firstPixel_ = first;
    lastPixel_ = last;
  }
  std::int32_t EdgePixel() const { return edgePixel_; }  // line the ticks start from
  void SetEdgePixel(std::int32_t value) { edgePixel_ = value; }
  TiOrientation Orientation() const { return orientation_; }
  void SetOrientation(TiOrientation value) { orientation_ = value; }
  TiOrientationSide Side() const { return side_; }
  void SetSide(TiOrientationSide value) { side_ = value; }

  // ScaleMin on FirstPixel and ScaleMax on LastPixel, the other way round
  // with ReverseScale.
  TScaleMap Map() const;
  // The pixel of a value along the track (Map); values outside the range
  // extrapolate.
  std::int32_t ValueToPixel(double value) const { return Map().ValueToPixel(value); }
  // The number of decimals of the tick labels.
  std::int32_t EffectivePrecision() const;
  // The label text of a tick value, before OnCustomizeTickLabel.
  std::string LabelText(double value) const;
  void DrawScale(TCanvas& canvas);

 private:
  void Changed();
  template <class V>
  void Store(V value, V& field);
  void StoreClamped(std::int32_t value, std::int32_t min, std::int32_t max, std::int32_t& field);
  void DrawTick(TCanvas& canvas, std::int32_t start, std::int32_t length, std::int32_t pixel, TiBevelStyle style) const;
  void DrawLabel(TCanvas& canvas, std::int32_t index, double value, std::int32_t pixel, std::int32_t labelLine);
  void DrawMinorTicksBeyondRange(TCanvas& canvas, double t0, double t1, double minorStep, std::int32_t minorStart);

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
  double scaleMax_ = 0;
  double scaleMin_ = 0;
  std::int32_t firstPixel_ = 0;
  std::int32_t lastPixel_ = 0;
  TiTickMinorAlignment tickMinorAlignment_ = itmnaInside;
  TiOrientation orientation_ = ioVertical;
  TiOrientationSide side_ = iosBottomRight;
  std::int32_t edgePixel_ = 0;
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
