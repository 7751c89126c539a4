#pragma once
// TiTrendChart: a chart of up to eight channels, either against time (a
// trend: wall-clock labels, strip or sweep mode, pause, zoom, pan, cursor)
// or against a numeric horizontal axis (a series drawn once, such as a
// waveform along one TV line).
//
// Every pixel column of the plot shows the exact minimum and maximum of the
// samples that fall in it (TrendChartColumns.h), joined to the next column
// by a line; a NaN value is a gap and breaks the line. A repaint costs
// nearly the same whatever the number of samples. A live strip moves by
// whole pixel columns (its view ends at the first column edge at or after
// the clock), so that a frame decimates only the columns that changed. Each
// channel keeps at most Capacity samples (TrendChartHistory.h gives the
// memory per sample).
//
// Feeding a time chart: bind "ChannelN.Value" through OPCItems (the server's
// time stamp is used when it sends one, the arrival time otherwise; a bad
// quality or an item that is not active breaks the line), set
// ChannelN.Value, or call AppendSample(channel, unixSeconds, value).
//
// Feeding a numeric chart (HorizontalAxis = itakNumeric), e.g. one TV line
// in microseconds:
//
//   chart.SetHorizontalAxis(itakNumeric);
//   chart.SetNumericMin(0);  chart.SetNumericMax(64);  chart.SetNumericGridStep(4);
//   chart.SetValueAutoScale(false);  chart.SetValueMin(-40);  chart.SetValueMax(140);
//   chart.SetReferenceLines("0=0 %;100=100 %;-33=-33 %;133=+133 %");
//   chart.Channel(0).SetSteps(true);           // hold each value until the next x
//   chart.SetSeries(0, xs, ys);                // x ascending; replaces the channel's points
//
// x values must not go down (a smaller one is drawn at the previous x). The
// reference lines are horizontal lines at the given values of the left axis,
// each labelled with its text; NumericGridStep draws vertical grid lines at
// multiples of the step from NumericMin (0: chosen from 1-2-5 steps).
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "instruments/TrendChartChannel.h"
#include "instruments/TrendChartColumns.h"
#include "instruments/base/InstrumentComponent.h"
#include "platform/graphics/Font.h"
#include "platform/window/Timer.h"

namespace tintoral {

enum TiTrendAxisKind : int { itakTime = 0, itakNumeric = 1 };
enum TiTrendMode : int { itmStrip = 0, itmSweep = 1 };
const TEnumType& EnumTypeOf(TiTrendAxisKind);
const TEnumType& EnumTypeOf(TiTrendMode);

// A labelled horizontal line at a value of the left axis.
struct TiTrendReferenceLine {
  double value = 0;
  std::string label;
};

// Where the chart's parts lie, as the last paint laid them out.
struct TiTrendLayout {
  TRect plot;  // the plot area; columns plot.Left … plot.Right - 1
  int legendTop = 0;
  int legendHeight = 0;
};

// A value axis as the last paint scaled it.
struct TiTrendAxisScale {
  double min = 0;
  double max = 1;
  int ticks = 2;  // major ticks from tickLo to tickHi
  int decimals = 0;
  double tickLo = 0;
  double tickHi = 1;
  // Rows: min on `origin`, each unit of value `perValue` rows further.
  double origin = 0;
  double perValue = 0;
};

// One channel's reading at the cursor.
struct TiTrendReading {
  bool present = false;  // a sample at or before the cursor time
  double time = 0;
  double value = 0;  // NaN: a gap
};

class TiTrendChart : public TiCustomComponent {
  TINTORAL_CLASS(TiTrendChart, TiCustomComponent)

 public:
  static constexpr int kMaxChannels = 8;
  static constexpr double kMinSpan = 1e-3;           // seconds
  static constexpr double kMaxSpan = 366.0 * 86400;  // seconds

  explicit TiTrendChart(TComponent* owner);
  ~TiTrendChart() override;

  // ---- Published ----------------------------------------------------------
  // Channels in use, held to 1 … kMaxChannels.
  int ChannelCount() const { return channelCount_; }
  void SetChannelCount(int value);
  TiTrendChannel& Channel(int index);
  const TiTrendChannel& Channel(int index) const;
  // Samples kept per channel, held to the history's limits; a smaller
  // capacity keeps the newest.
  int Capacity() const { return capacity_; }
  void SetCapacity(int value);
  TiTrendAxisKind HorizontalAxis() const { return horizontalAxis_; }
  void SetHorizontalAxis(TiTrendAxisKind value) { SetPropertyField(value, horizontalAxis_, irkRepaint); }
  TiTrendMode Mode() const { return mode_; }
  void SetMode(TiTrendMode value) { SetPropertyField(value, mode_, irkRepaint); }
  // The time shown, in seconds, held to kMinSpan … kMaxSpan (NaN ignored).
  double Span() const { return span_; }
  void SetSpan(double value);
  double NumericMin() const { return numericMin_; }
  void SetNumericMin(double value) { SetFinite(value, numericMin_); }
  double NumericMax() const { return numericMax_; }
  void SetNumericMax(double value) { SetFinite(value, numericMax_); }
  double NumericGridStep() const { return numericGridStep_; }
  void SetNumericGridStep(double value);
  bool ValueAutoScale() const { return valueAutoScale_; }
  void SetValueAutoScale(bool value) { SetPropertyField(value, valueAutoScale_, irkRepaint); }
  double ValueMin() const { return valueMin_; }
  void SetValueMin(double value) { SetFinite(value, valueMin_); }
  double ValueMax() const { return valueMax_; }
  void SetValueMax(double value) { SetFinite(value, valueMax_); }
  bool ShowValue2Axis() const { return showValue2Axis_; }
  void SetShowValue2Axis(bool value) { SetPropertyField(value, showValue2Axis_, irkRepaint); }
  bool Value2AutoScale() const { return value2AutoScale_; }
  void SetValue2AutoScale(bool value) { SetPropertyField(value, value2AutoScale_, irkRepaint); }
  double Value2Min() const { return value2Min_; }
  void SetValue2Min(double value) { SetFinite(value, value2Min_); }
  double Value2Max() const { return value2Max_; }
  void SetValue2Max(double value) { SetFinite(value, value2Max_); }
  bool ShowValueAxis() const { return showValueAxis_; }
  void SetShowValueAxis(bool value) { SetPropertyField(value, showValueAxis_, irkRepaint); }
  bool ShowGrid() const { return showGrid_; }
  void SetShowGrid(bool value) { SetPropertyField(value, showGrid_, irkRepaint); }
  TColor GridColor() const { return gridColor_; }
  void SetGridColor(TColor value) { SetPropertyField(value, gridColor_, irkRepaint); }
  TColor PlotColor() const { return plotColor_; }
  void SetPlotColor(TColor value) { SetPropertyField(value, plotColor_, irkRepaint); }
  bool ShowLegend() const { return showLegend_; }
  void SetShowLegend(bool value) { SetPropertyField(value, showLegend_, irkRepaint); }
  // "value=label;value=label…" (see the file comment); entries that do not
  // read as a number and a label are left out.
  const std::string& ReferenceLines() const { return referenceLines_; }
  void SetReferenceLines(const std::string& value);
  TColor ReferenceLineColor() const { return referenceLineColor_; }
  void SetReferenceLineColor(TColor value) { SetPropertyField(value, referenceLineColor_, irkRepaint); }
  // Freezes the view; recording goes on. Resuming returns to the newest
  // data at Span.
  bool Paused() const { return paused_; }
  void SetPaused(bool value);
  TFont& Font() { return font_; }
  void SetFont(const TFont& value) { font_.Assign(value); }

  // ---- Samples ------------------------------------------------------------
  // Time charts: seconds since 1970-01-01 UTC; numeric charts: the x value.
  void AppendSample(int channel, double time, double value);
  void AppendSamples(int channel, std::span<const double> times, std::span<const double> values);
  // Replaces a channel's points (numeric charts).
  void SetSeries(int channel, std::span<const double> xs, std::span<const double> ys);
  void ClearHistory();
  std::vector<TiTrendReferenceLine> ParsedReferenceLines() const { return parsedReferenceLines_; }

  // The clock of arrival times, in seconds since 1970 (default: the wall
  // clock read once and then advanced by the steady clock, so that setting
  // the system clock never reorders the record). Tests install their own.
  void SetTimeSource(std::function<double()> source);
  double ClockSeconds() const;

  // ---- View ---------------------------------------------------------------
  // The horizontal range shown: [ViewStart, ViewStart + ViewSpan).
  double ViewStart() const;
  double ViewSpan() const;
  // While paused: zoom by `factor` (> 1 shows more time) about the time at
  // plot column `column`, and pan by `columns` (positive: later).
  void ZoomView(double factor, int column);
  void PanView(double columns);
  // Back to the newest data.
  void ViewNewest();

  // ---- Cursor -------------------------------------------------------------
  bool CursorVisible() const { return cursorVisible_; }
  void SetCursorVisible(bool value);
  // The cursor's plot column (0 = the plot's first), held to the plot.
  int CursorColumn() const { return cursorColumn_; }
  void SetCursorColumn(int column);
  double CursorTime() const;
  // Each channel's last sample at or before the cursor time.
  std::vector<TiTrendReading> CursorReadings() const;

  // ---- Export -------------------------------------------------------------
  // The stored history as CSV: a header "Time" and each channel's caption
  // (or "ChannelN"), then one row per distinct time, time in ISO 8601 UTC
  // with milliseconds (numeric charts: the x value), a value in the column
  // of each channel that has a sample then (empty otherwise; "NaN" for a
  // gap). Numbers use "." whatever the locale.
  void WriteCSV(std::ostream& out) const;
  // Raises FileError naming the file when it cannot be written.
  void ExportCSV(const std::string& fileName) const;

  // ---- Painting and layout ------------------------------------------------
  void PaintTo(TCanvas& canvas) override;
  const TiTrendLayout& Layout() const { return layout_; }
  const TiTrendAxisScale& AxisScale(TiTrendValueAxis axis) const { return axisScales_[axis]; }
  // The row of a value on an axis as the last paint scaled it (to nearest,
  // halves to even); values off the scale are held one row beyond the plot.
  int RowOf(TiTrendValueAxis axis, double value) const;

  // ---- Data link, input ---------------------------------------------------
  bool DataLinkApply(TiOPCItem& item) override;
  void HandleKeyDown(std::uint16_t& key, TShiftState shift) override;
  void HandleWantSpecialKey(std::uint16_t& key, std::int32_t& result) override;
  void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void HandleMouseMove(TShiftState shift, int x, int y) override;
  bool HandleMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos) override;
  void Loaded() override;

 protected:
  // PaintTo starts with DrawBackground: no white start needed.
  bool PaintToStartsWithBackground() const override { return true; }

 public:
  // Outages of bound items (not active, bad quality) become gaps; called by
  // the chart's timer, public for tests.
  void CheckOutages();
  // The channel a data-link property name ("Channel3.Value") feeds, -1 when none.
  static int ChannelOfProperty(const std::string& propertyName);

 private:
  void SetFinite(double value, double& field);
  void ChannelRecord(TiTrendChannel& channel, double value);
  void RecordLive(int channel, double time, double value);
  void StartLiveTimer();
  void LiveTick();
  double NewestTime() const;
  double LiveEnd() const;
  void ReadSamples(const std::vector<std::uint8_t>& bytes);
  std::vector<std::uint8_t> WriteSamples() const;
  bool HasSamples() const;
  int PlotColumnAt(int x) const;

  // Painting (TrendChartPaint.cpp).
  void LayOut(TCanvas& canvas);
  void ScaleAxes();
  void PaintGrid(TCanvas& canvas);
  void PaintChannel(TCanvas& canvas, int index);
  void PaintColumns(TCanvas& canvas, const TiTrendChannel& channel, TTrendColumns& columns, const TTrendColumnMap& map,
                    int firstColumn, int endColumn, bool extendToEnd);
  void PaintAxes(TCanvas& canvas);
  void PaintReferenceLines(TCanvas& canvas);
  void PaintLegend(TCanvas& canvas);
  void PaintCursor(TCanvas& canvas);
  std::string ValueText(TiTrendValueAxis axis, double value, int extraDecimals) const;

  int channelCount_ = 1;
  std::unique_ptr<TiTrendChannel> channels_[kMaxChannels];
  int capacity_ = 10000;
  TiTrendAxisKind horizontalAxis_ = itakTime;
  TiTrendMode mode_ = itmStrip;
  double span_ = 60;
  double numericMin_ = 0;
  double numericMax_ = 100;
  double numericGridStep_ = 0;
  bool valueAutoScale_ = true;
  double valueMin_ = 0;
  double valueMax_ = 100;
  bool showValue2Axis_ = false;
  bool value2AutoScale_ = true;
  double value2Min_ = 0;
  double value2Max_ = 100;
  bool showValueAxis_ = true;
  bool showGrid_ = true;
  TColor gridColor_ = clSilver;
  TColor plotColor_ = clWhite;
  bool showLegend_ = true;
  std::string referenceLines_;
  std::vector<TiTrendReferenceLine> parsedReferenceLines_;
  TColor referenceLineColor_ = clGray;
  bool paused_ = false;
  TFont font_;

  // Live state: the clock, whether data has come in live (the view then
  // follows the clock), the view frozen by a pause, the cursor, a drag.
  std::function<double()> timeSource_;
  bool live_ = false;
  TTimerService liveTimer_;
  double pausedEnd_ = 0;
  double pausedSpan_ = 0;
  bool outage_[kMaxChannels] = {};
  bool cursorVisible_ = false;
  int cursorColumn_ = 0;
  bool dragging_ = false;
  bool dragMoved_ = false;
  int dragX_ = 0;

  // Paint state.
  TiTrendLayout layout_;
  TiTrendAxisScale axisScales_[2];
  // Each channel's columns as last drawn: the current view, and in sweep
  // mode the previous sweep.
  TTrendColumns columns_[kMaxChannels][2];
};

inline int TiTrendChart::RowOf(TiTrendValueAxis axis, double value) const {
  const TiTrendAxisScale& s = axisScales_[axis];
  // In doubles, not through the scale's long-double mapping, and inline: a
  // repaint maps a few values per pixel column of every channel. Beyond the
  // plot by one: on the frame, drawn afterwards (and the margins are painted
  // over again for wider lines), so a value off the scale leaves the plot at
  // its edge.
  const double row = s.origin + (value - s.min) * s.perValue;
  const double top = layout_.plot.Top - 1;
  const double bottom = layout_.plot.Bottom;
  if (!(row >= top)) return row != row ? layout_.plot.Bottom : layout_.plot.Top - 1;
  if (row >= bottom) return layout_.plot.Bottom;
  // To nearest, halves to even, as std::nearbyint does, without its library
  // call: adding 1.5 × 2^52 leaves no bits below the units, and the current
  // rounding mode decides (rows are far below 2^51).
  constexpr double kRoundingBias = 6755399441055744.0;
  return static_cast<int>((row + kRoundingBias) - kRoundingBias);
}

}  // namespace tintoral
