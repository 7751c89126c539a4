// TiTrendChart: layout, axes, grid, reference lines, the channels' lines,
// legend and cursor.
#include <algorithm>
#include <cmath>
#include <limits>

#include "instruments/TrendChart.h"
#include "instruments/TrendChartPixels.h"
#include "instruments/TrendChartTime.h"
#include "instruments/base/AutoScale.h"
#include "runtime/NumberText.h"
#include "runtime/ScopeExit.h"

namespace tintoral {
namespace {

constexpr int kTickLength = 4;
constexpr int kGap = 3;
constexpr int kSwatchWidth = 14;
constexpr TColor kFrameColor = clGray;
constexpr char kNoValue[] = "\x97";  // an em dash in Windows-1252

bool Finite(double v) { return std::isfinite(v); }

// Decimals that show every multiple of `step` exactly (at most 6).
int StepDecimals(double step) {
  for (int d = 0; d < 6; ++d) {
    const double scaled = step * std::pow(10.0, d);
    if (std::fabs(scaled - std::round(scaled)) < 1e-9 * std::max(1.0, scaled)) return d;
  }
  return 6;
}

// A 1-2-5 step giving at most `maxTicks` intervals over `span`.
double NiceStep(double span, int maxTicks) {
  const double raw = span / std::max(1, maxTicks);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * power >= raw) return m * power;
  return 10 * power;
}

void HLine(TCanvas& canvas, int left, int right, int y) { canvas.FillRect(TRect{left, y, right, y + 1}); }
void VLine(TCanvas& canvas, int x, int top, int bottom) { canvas.FillRect(TRect{x, top, x + 1, bottom}); }

}  // namespace

// ---- Layout and scales ------------------------------------------------------------------

std::string TiTrendChart::ValueText(TiTrendValueAxis axis, double value, int extraDecimals) const {
  if (!Finite(value)) return kNoValue;
  return FixedText(value, axisScales_[axis].decimals + extraDecimals);
}

void TiTrendChart::ScaleAxes() {
  const double start = ViewStart();
  const double end = start + ViewSpan();
  const int rows = std::max(1, layout_.plot.Bottom - layout_.plot.Top);
  const int textHeight = std::max(1, layout_.legendHeight > 0 ? layout_.legendHeight - 4 : 12);
  const int maxTicks = std::clamp(rows / (2 * textHeight), 2, 11);
  const int desired = std::min(5, maxTicks);
  for (int axis = itvaLeft; axis <= itvaRight; ++axis) {
    const bool automatic = axis == itvaLeft ? valueAutoScale_ : value2AutoScale_;
    double lo = axis == itvaLeft ? valueMin_ : value2Min_;
    double hi = axis == itvaLeft ? valueMax_ : value2Max_;
    if (automatic) {
      TTrendRange range;
      for (int i = 0; i < channelCount_; ++i) {
        const TiTrendChannel& channel = *channels_[i];
        if (!channel.Visible() || channel.ValueAxis() != axis) continue;
        const TTrendHistory& history = channel.History();
        range.Add(history.Summary(history.FirstAtOrAfter(start), history.FirstAtOrAfter(end)));
      }
      if (range.HasValues()) {
        lo = range.min;
        hi = range.max;
      }
      if (lo == hi) {  // a flat line sits in the middle of a unit range
        lo -= 1;
        hi += 1;
      }
    }
    if (lo > hi) std::swap(lo, hi);
    if (lo == hi) hi = lo + 1;
    TiTrendAxisScale& scale = axisScales_[axis];
    if (automatic) {
      const TAutoScaleResult fit = AutoScaleOutside(desired, maxTicks, lo, hi);
      const bool usable = fit.count >= 2 && fit.lo < fit.hi && Finite(fit.lo) && Finite(fit.hi);
      scale = {usable ? fit.lo : lo, usable ? fit.hi : hi, usable ? fit.count : 2, 0,
               usable ? fit.lo : lo, usable ? fit.hi : hi};
    } else {
      const TAutoScaleResult fit = AutoScaleInside(desired, maxTicks, lo, hi);
      const bool usable = fit.count >= 2 && fit.lo < fit.hi && Finite(fit.lo) && Finite(fit.hi);
      scale = {lo, hi, usable ? fit.count : 2, 0, usable ? fit.lo : lo, usable ? fit.hi : hi};
    }
    const double step = (scale.tickHi - scale.tickLo) / (scale.ticks - 1);
    scale.decimals = StepDecimals(step);
    scale.origin = layout_.plot.Bottom - 1;
    scale.perValue = (layout_.plot.Top - scale.origin) / (scale.max - scale.min);
    if (!std::isfinite(scale.perValue)) scale.perValue = 0;
  }
}

void TiTrendChart::LayOut(TCanvas& canvas) {
  const int border = BorderStyle() == ibsNone ? 0 : 2;
  const TRect inner{border, border, Width() - border, Height() - border};
  const int textHeight = canvas.TextHeight("0");
  layout_.legendTop = inner.Top + 2;
  layout_.legendHeight = showLegend_ ? textHeight + 4 : 0;
  // Rows first: the value scales depend on the plot's height only.
  layout_.plot.Top = inner.Top + layout_.legendHeight + textHeight / 2 + 2;
  layout_.plot.Bottom = inner.Bottom - textHeight - kTickLength - kGap;
  if (!showLegend_) layout_.legendHeight = 0;
  layout_.plot.Left = inner.Left;
  layout_.plot.Right = inner.Right;
  ScaleAxes();
  auto labelsWidth = [&](TiTrendValueAxis axis) {
    const TiTrendAxisScale& s = axisScales_[axis];
    return std::max(canvas.TextWidth(ValueText(axis, s.tickLo, 0)), canvas.TextWidth(ValueText(axis, s.tickHi, 0)));
  };
  const int left = showValueAxis_ ? labelsWidth(itvaLeft) + kTickLength + 2 * kGap : kGap + 1;
  const int right = showValue2Axis_ ? labelsWidth(itvaRight) + kTickLength + 2 * kGap : kGap + 12;
  layout_.plot.Left = inner.Left + left;
  layout_.plot.Right = std::max(layout_.plot.Left + 1, inner.Right - right);
  layout_.plot.Bottom = std::max(layout_.plot.Top + 1, layout_.plot.Bottom);
}

// ---- Painting -------------------------------------------------------------------------

void TiTrendChart::PaintTo(TCanvas& canvas) {
  canvas.Font().Assign(font_);
  canvas.Brush().SetStyle(bsSolid);
  LayOut(canvas);
  const TRect& p = layout_.plot;
  const int border = BorderStyle() == ibsNone ? 0 : 2;
  auto fillMargins = [&](int inset) {
    canvas.Brush().SetColor(BackGroundColor());
    canvas.FillRect(TRect{inset, inset, Width() - inset, p.Top});
    canvas.FillRect(TRect{inset, p.Bottom, Width() - inset, Height() - inset});
    canvas.FillRect(TRect{inset, p.Top, p.Left, p.Bottom});
    canvas.FillRect(TRect{p.Right, p.Top, Width() - inset, p.Bottom});
  };
  if (!Transparent() && (!BackGroundPicture() || BackGroundPicture()->Width() == 0)) {
    // The background colour where the plot does not cover it, as
    // DrawBackground would paint it everywhere.
    fillMargins(0);
    DrawBorder(canvas);
  } else {
    DrawBackground(canvas, BackGroundColor());
  }
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(plotColor_);
  canvas.FillRect(p);
  PaintGrid(canvas);
  PaintReferenceLines(canvas);
  int widestPen = 0;
  for (int i = 0; i < channelCount_; ++i) {
    if (!channels_[i]->Visible()) continue;
    PaintChannel(canvas, i);
    widestPen = std::max(widestPen, channels_[i]->PenWidth());
  }
  // The margins around the plot again, over lines that left it; one-pixel
  // lines reach no further than the frame drawn next.
  if (widestPen > 1) fillMargins(border);
  canvas.Brush().SetColor(kFrameColor);
  HLine(canvas, p.Left - 1, p.Right + 1, p.Top - 1);
  HLine(canvas, p.Left - 1, p.Right + 1, p.Bottom);
  VLine(canvas, p.Left - 1, p.Top, p.Bottom);
  VLine(canvas, p.Right, p.Top, p.Bottom);
  PaintAxes(canvas);
  PaintLegend(canvas);
  PaintCursor(canvas);
}

void TiTrendChart::PaintGrid(TCanvas& canvas) {
  if (!showGrid_) return;
  const TRect& p = layout_.plot;
  canvas.Brush().SetColor(gridColor_);
  if (showValueAxis_) {
    const TiTrendAxisScale& s = axisScales_[itvaLeft];
    for (int i = 0; i < s.ticks; ++i) {
      const double v = s.tickLo + i * (s.tickHi - s.tickLo) / (s.ticks - 1);
      HLine(canvas, p.Left, p.Right, RowOf(itvaLeft, v));
    }
  }
  TTrendColumnMap map{ViewStart(), ViewSpan(), p.Width()};
  for (const TTimeTick& tick : horizontalAxis_ == itakTime ? TimeTicks(map.start, map.span, std::max(1, p.Width() / 80))
                                                           : std::vector<TTimeTick>{}) {
    const std::int64_t column = map.ColumnOf(tick.time);
    if (column >= 0 && column < p.Width()) VLine(canvas, p.Left + static_cast<int>(column), p.Top, p.Bottom);
  }
  if (horizontalAxis_ == itakNumeric) {
    const double step = numericGridStep_ > 0 ? numericGridStep_ : NiceStep(map.span, std::max(1, p.Width() / 60));
    if (map.span / step <= 1000)
      for (double x = numericMin_; x <= numericMax_ + step * 1e-9; x += step) {
        const std::int64_t column = map.ColumnOf(x);
        if (column >= 0 && column < p.Width()) VLine(canvas, p.Left + static_cast<int>(column), p.Top, p.Bottom);
      }
  }
}

void TiTrendChart::PaintReferenceLines(TCanvas& canvas) {
  const TRect& p = layout_.plot;
  canvas.Brush().SetColor(referenceLineColor_);
  for (const TiTrendReferenceLine& line : parsedReferenceLines_) {
    const int row = RowOf(itvaLeft, line.value);
    if (row < p.Top || row >= p.Bottom) continue;
    HLine(canvas, p.Left, p.Right, row);
  }
  canvas.Brush().SetStyle(bsClear);
  canvas.Font().SetColor(referenceLineColor_);
  for (const TiTrendReferenceLine& line : parsedReferenceLines_) {
    const int row = RowOf(itvaLeft, line.value);
    if (row < p.Top || row >= p.Bottom) continue;
    // Above its line, or below it where the plot's top is too near.
    const int height = canvas.TextHeight(line.label);
    canvas.TextOut(p.Left + 2, row - height >= p.Top ? row - height : row + 1, line.label);
  }
  canvas.Font().Assign(font_);
  canvas.Brush().SetStyle(bsSolid);
}

void TiTrendChart::PaintChannel(TCanvas& canvas, int index) {
  const TiTrendChannel& channel = *channels_[index];
  TTrendColumns(&columns)[2] = columns_[index];
  const int width = layout_.plot.Width();
  const bool following = live_ && !paused_ && horizontalAxis_ == itakTime;
  if (mode_ == itmSweep && !paused_ && horizontalAxis_ == itakTime) {
    // The current sweep from the left up to now, the last one after a gap.
    const double start = ViewStart();
    const TTrendColumnMap current{start, span_, width};
    const int now = static_cast<int>(std::clamp<std::int64_t>(current.ColumnOf(LiveEnd()), 0, width - 1));
    const int gap = std::max(3, width / 50);
    PaintColumns(canvas, channel, columns[1], TTrendColumnMap{start - span_, span_, width}, std::min(width, now + gap),
                 width, false);
    PaintColumns(canvas, channel, columns[0], current, 0, now + 1, following);
    return;
  }
  PaintColumns(canvas, channel, columns[0], TTrendColumnMap{ViewStart(), ViewSpan(), width}, 0, width, following);
}

void TiTrendChart::PaintColumns(TCanvas& canvas, const TiTrendChannel& channel, TTrendColumns& columns,
                                const TTrendColumnMap& map, int firstColumn, int endColumn, bool extendToEnd) {
  UpdateColumns(channel.History(), map, columns);
  const TiTrendValueAxis axis = channel.ValueAxis();
  const int w = channel.PenWidth();
  const int half = (w - 1) / 2;
  const bool steps = channel.Steps();
  canvas.Pen().SetColor(channel.Color());
  canvas.Pen().SetWidth(w);
  canvas.Pen().SetStyle(psSolid);
  const int left = layout_.plot.Left;
  TBitmap& surface = canvas.Target();
  const std::uint32_t pixel = RGBToPixel(ColorToRGB(channel.Color()));
  // Lines between neighbouring columns of a one-pixel copy pen go straight
  // into the pixels; others through the canvas.
  const bool direct = w == 1 && !steps && canvas.Pen().Mode() == pmCopy;
  auto join = [&](int x0, double v0, int x1, double v1) {
    const int r0 = RowOf(axis, v0);
    const int r1 = RowOf(axis, v1);
    if (direct && x1 == x0 + 1) {
      JoinNextColumn(surface, x0, r0, r1, pixel);
      return;
    }
    canvas.MoveTo(x0, r0);
    if (steps) {
      canvas.LineTo(x1, r0);
      canvas.LineTo(x1, r1);
    } else {
      canvas.LineTo(x1, r1);
    }
  };
  auto bar = [&](int x, int top, int bottom) { FillTrendBar(surface, x, x + w, top, bottom, pixel); };
  const TScopeExit changed([&surface] { surface.Changed(); });
  bool havePrevious = false;
  int previousX = 0;
  double previousValue = 0;
  double previousTime = 0;
  for (int c = firstColumn; c < endColumn; ++c) {
    const TTrendColumn& column = columns.columns[static_cast<std::size_t>(c)];
    if (column.count == 0) continue;
    const int x = left + c;
    if (!havePrevious && columns.before.present && firstColumn == 0) {
      // The line comes in from a sample before the view: from where it
      // crosses the plot's left edge.
      const TTrendNeighbour& b = columns.before;
      const double edge = map.TimeOf(0);
      const double fraction = column.firstTime > b.time ? (edge - b.time) / (column.firstTime - b.time) : 1.0;
      havePrevious = true;
      previousX = left - 1;
      previousValue = steps ? b.value : b.value + (column.first - b.value) * fraction;
    }
    if (havePrevious && Finite(previousValue) && Finite(column.first)) join(previousX, previousValue, x, column.first);
    if (column.range.HasValues())
      bar(x - half, RowOf(axis, column.range.max) - half, RowOf(axis, column.range.min) - half + w);
    havePrevious = true;
    previousX = x;
    previousValue = column.last;
    previousTime = column.lastTime;
  }
  if (!havePrevious || !Finite(previousValue)) return;
  const TTrendNeighbour& a = columns.after;
  if (a.present && endColumn == map.width && Finite(a.value)) {
    // On to where the line leaves the plot at its right edge.
    const double edge = map.TimeOf(map.width);
    const double fraction = a.time > previousTime ? (edge - previousTime) / (a.time - previousTime) : 0.0;
    join(previousX, previousValue, left + map.width,
         steps ? previousValue : previousValue + (a.value - previousValue) * fraction);
  } else if (extendToEnd && !a.present) {
    // A live value holds until the next one comes.
    const auto now = static_cast<int>(std::clamp<std::int64_t>(map.ColumnOf(ClockSeconds()), 0, endColumn - 1));
    if (left + now > previousX) join(previousX, previousValue, left + now, previousValue);
  }
}

void TiTrendChart::PaintAxes(TCanvas& canvas) {
  const TRect& p = layout_.plot;
  canvas.Brush().SetColor(kFrameColor);
  const int textHeight = canvas.TextHeight("0");
  auto valueAxis = [&](TiTrendValueAxis axis, bool shown) {
    if (!shown) return;
    const TiTrendAxisScale& s = axisScales_[axis];
    for (int i = 0; i < s.ticks; ++i) {
      const double v = s.tickLo + i * (s.tickHi - s.tickLo) / (s.ticks - 1);
      const int row = RowOf(axis, v);
      const std::string text = ValueText(axis, v, 0);
      canvas.Brush().SetStyle(bsSolid);
      canvas.Brush().SetColor(kFrameColor);
      if (axis == itvaLeft) HLine(canvas, p.Left - 1 - kTickLength, p.Left - 1, row);
      else HLine(canvas, p.Right + 1, p.Right + 1 + kTickLength, row);
      canvas.Brush().SetStyle(bsClear);
      const int x = axis == itvaLeft ? p.Left - 1 - kTickLength - kGap - canvas.TextWidth(text)
                                     : p.Right + 1 + kTickLength + kGap;
      canvas.TextOut(x, row - textHeight / 2, text);
    }
    canvas.Brush().SetStyle(bsSolid);
  };
  valueAxis(itvaLeft, showValueAxis_);
  valueAxis(itvaRight, showValue2Axis_);
  // The horizontal axis: wall-clock times or numbers under their ticks.
  const TTrendColumnMap map{ViewStart(), ViewSpan(), p.Width()};
  std::vector<TTimeTick> ticks;
  if (horizontalAxis_ == itakTime) {
    const int labelWidth = canvas.TextWidth("00:00:00.000") + 2 * kGap;
    ticks = TimeTicks(map.start, map.span, std::max(1, p.Width() / labelWidth));
  } else {
    const int labelWidth =
        std::max(canvas.TextWidth(FixedText(numericMax_, 2)), canvas.TextWidth(FixedText(numericMin_, 2)));
    const double minimum = NiceStep(map.span, std::max(1, p.Width() / (labelWidth + 2 * kGap)));
    double step = numericGridStep_ > 0 ? numericGridStep_ : minimum;
    while (step < minimum && map.span / step > 1) step *= 2;  // labels on every n-th grid line
    const int decimals = StepDecimals(step);
    if (map.span / step <= 1000)
      for (double x = numericMin_; x <= numericMax_ + step * 1e-9; x += step)
        ticks.push_back({x, FixedText(x, decimals)});
  }
  for (const TTimeTick& tick : ticks) {
    const std::int64_t column = map.ColumnOf(tick.time);
    if (column < 0 || column >= p.Width()) continue;
    const int x = p.Left + static_cast<int>(column);
    canvas.Brush().SetStyle(bsSolid);
    VLine(canvas, x, p.Bottom + 1, p.Bottom + 1 + kTickLength);
    canvas.Brush().SetStyle(bsClear);
    const int textWidth = canvas.TextWidth(tick.label);
    const int textX = std::clamp(x - textWidth / 2, 0, std::max(0, Width() - textWidth));
    canvas.TextOut(textX, p.Bottom + 1 + kTickLength + 1, tick.label);
  }
  canvas.Brush().SetStyle(bsSolid);
}

void TiTrendChart::PaintLegend(TCanvas& canvas) {
  if (!showLegend_) return;
  const std::vector<TiTrendReading> readings = cursorVisible_ ? CursorReadings() : std::vector<TiTrendReading>{};
  int x = layout_.plot.Left;
  const int y = layout_.legendTop;
  const int textHeight = canvas.TextHeight("0");
  for (int i = 0; i < channelCount_; ++i) {
    const TiTrendChannel& channel = *channels_[i];
    if (!channel.Visible()) continue;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(channel.Color());
    const int thickness = std::min(channel.PenWidth(), textHeight / 2 + 1);
    canvas.FillRect(
        TRect{x, y + textHeight / 2 - thickness / 2, x + kSwatchWidth, y + textHeight / 2 - thickness / 2 + thickness});
    x += kSwatchWidth + kGap;
    const double value =
        cursorVisible_ ? (readings[static_cast<std::size_t>(i)].present ? readings[static_cast<std::size_t>(i)].value
                                                                        : std::numeric_limits<double>::quiet_NaN())
                       : channel.Value();
    const std::string caption = channel.Caption().empty() ? "Channel" + std::to_string(i + 1) : channel.Caption();
    const std::string text = caption + ": " + ValueText(channel.ValueAxis(), value, 2);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(x, y, text);
    x += canvas.TextWidth(text) + 3 * kGap;
  }
  canvas.Brush().SetStyle(bsSolid);
}

void TiTrendChart::PaintCursor(TCanvas& canvas) {
  if (!cursorVisible_) return;
  const TRect& p = layout_.plot;
  const int x = p.Left + std::clamp(cursorColumn_, 0, p.Width() - 1);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetMode(pmNot);
  canvas.MoveTo(x, p.Top);
  canvas.LineTo(x, p.Bottom);
  canvas.Pen().SetMode(pmCopy);
  const double time = CursorTime();
  const std::string text = horizontalAxis_ == itakTime ? ClockText(time, ViewSpan() < 10) : FixedText(time, 3);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clInfoBk);
  const int textWidth = canvas.TextWidth(text);
  const int textX = std::clamp(x + 2, p.Left, std::max(p.Left, p.Right - textWidth));
  canvas.TextOut(textX, p.Top, text);
}

}  // namespace tintoral
