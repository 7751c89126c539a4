#include "app/WaveformMonitor.h"

#include <algorithm>
#include <string>
#include <vector>

#include "instruments/TrendChart.h"
#include "platform/graphics/Canvas.h"
#include "runtime/NumberText.h"

namespace tintoral {
namespace {

constexpr int kKeyHeight = 14;  // the key's row above the chart
constexpr int kChartWidth = 424;
constexpr int kColumnInset = 4;
constexpr int kSamplesPerBar = 128;       // subcarrier peaks, finer than a pixel column
constexpr int kComposite = 0, kLuma = 1;  // Y drawn over the band
constexpr TColor kLumaColor = clWhite;
constexpr TColor kCompositeColor = clGreen;
constexpr TColor kCurrentColor = clAqua;
constexpr TColor kTextColor = clSilver;
constexpr TColor kReferenceColor = clOlive;

void SetFont(TFont& font) {
  font.SetName("MS Sans Serif");
  font.SetHeight(-11);
  font.SetColor(kTextColor);
}

void Configure(TiTrendChart& chart) {
  chart.SetBounds(0, 0, kChartWidth, kWaveformHeight - kKeyHeight);
  chart.SetBorderStyle(ibsNone);
  chart.SetBackGroundColor(clBlack);
  chart.SetPlotColor(clBlack);
  chart.SetGridColor(RGB(0, 72, 0));
  chart.SetShowLegend(false);
  chart.SetShowValueAxis(false);
  chart.SetHorizontalAxis(itakNumeric);
  chart.SetNumericMin(0);
  chart.SetNumericMax(kLineMicroseconds);
  chart.SetNumericGridStep(kBarMicroseconds);
  chart.SetValueAutoScale(false);
  chart.SetValueMin(-45);
  chart.SetValueMax(145);
  chart.SetReferenceLines("0=0 %;100=100 %;-33=-33 %;133=+133 %");
  chart.SetReferenceLineColor(kReferenceColor);
  SetFont(chart.Font());
  chart.SetChannelCount(2);
  chart.Channel(kComposite).SetColor(kCompositeColor);
  chart.Channel(kLuma).SetColor(kLumaColor);
  chart.Channel(kLuma).SetPenWidth(2);
  chart.Channel(kLuma).SetSteps(true);
}

// One line of the set's bars: Y held over each bar, and the composite
// signal at the subcarrier's peaks, Y + C and Y − C in turn.
void SetLine(TiTrendChart& chart, TBarSet set) {
  std::vector<double> lumaX, lumaY, compositeX, compositeY;
  TWaveformLevels last;
  for (int index = 0; index < kColorBarCount; ++index) {
    const TWaveformLevels bar = BarWaveformLevels(set, index);
    const double start = index * kBarMicroseconds;
    lumaX.push_back(start);
    lumaY.push_back(bar.Luma);
    for (int k = 0; k < kSamplesPerBar; ++k) {
      compositeX.push_back(start + k * kBarMicroseconds / kSamplesPerBar);
      compositeY.push_back(k % 2 == 0 ? bar.High : bar.Low);
    }
    last = bar;
  }
  lumaX.push_back(kLineMicroseconds);
  lumaY.push_back(last.Luma);
  compositeX.push_back(kLineMicroseconds);
  compositeY.push_back(last.Low);
  chart.SetSeries(kLuma, lumaX, lumaY);
  chart.SetSeries(kComposite, compositeX, compositeY);
}

void DrawKey(TCanvas& canvas) {
  SetFont(canvas.Font());
  canvas.Brush().SetStyle(bsSolid);
  int x = 4;
  const auto entry = [&](TColor color, int thickness, const std::string& text) {
    canvas.Brush().SetColor(color);
    canvas.FillRect({x, 7 - thickness / 2, x + 14, 7 - thickness / 2 + thickness});
    x += 17;
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(x, 1, text);
    x += canvas.TextWidth(text) + 12;
    canvas.Brush().SetStyle(bsSolid);
  };
  entry(kLumaColor, 2, "Y (luminancia)");
  entry(kCompositeColor, 8,
        "Y \xB1 C (se\xF1"
        "al compuesta)");
  entry(kCurrentColor, 8, "color actual");
  canvas.Brush().SetStyle(bsClear);
  canvas.TextOut(kChartWidth - 4 - canvas.TextWidth("\xB5s"), 1, "\xB5s");
  canvas.Brush().SetStyle(bsSolid);
}

void FillRows(TCanvas& canvas, int left, int right, int top, int bottom) {
  canvas.FillRect({left, top, right, bottom});
}

}  // namespace

TWaveformLevels WaveformLevels(const TColorSignalValues& values) {
  const double chroma = ChromaModulus(values.U, values.V) * 100;
  return {values.Luma, values.Luma - chroma, values.Luma + chroma};
}

TWaveformLevels BarWaveformLevels(TBarSet set, int index) {
  const TSliderColor c = BarColor(set, index);
  return WaveformLevels(ComputeColorSignals(c.Red, c.Green, c.Blue));
}

std::string WaveformSummary(TBarSet set, const TColorSignalValues& current) {
  const auto percent = [](double value) { return FixedText(value, 1) + " %"; };
  TWaveformLevels extent = BarWaveformLevels(set, 0);
  for (int index = 1; index < kColorBarCount; ++index) {
    const TWaveformLevels bar = BarWaveformLevels(set, index);
    extent.Low = std::min(extent.Low, bar.Low);
    extent.High = std::max(extent.High, bar.High);
  }
  const TWaveformLevels now = WaveformLevels(current);
  return std::string("Monitor de forma de onda, barras ") + (set == TBarSet::Full ? "100 %" : "75 %") +
         ": se\xF1"
         "al compuesta de " +
         percent(extent.Low) + " a " + percent(extent.High) + "; color actual: Y " + percent(now.Luma) +
         ", compuesta de " + percent(now.Low) + " a " + percent(now.High);
}

TWaveformSurface::TWaveformSurface() : chart_(std::make_unique<TiTrendChart>(nullptr)) { Configure(*chart_); }

TWaveformSurface::~TWaveformSurface() = default;

int TWaveformSurface::RowOf(double level) const { return chart_->RowOf(itvaLeft, level) + kKeyHeight; }

// The chart's line of the bars under the key, and the empty "Actual" column
// framed as the chart frames its plot, its reference lines continued.
void TWaveformSurface::DrawLine(TCanvas& canvas, TBarSet set) {
  canvas.Pen().SetMode(pmCopy);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clBlack);
  canvas.FillRect({0, 0, kWaveformWidth, kWaveformHeight});
  SetLine(*chart_, set);
  TBitmap chart(kChartWidth, kWaveformHeight - kKeyHeight);
  chart_->PaintTo(chart.Canvas());
  canvas.Draw(0, kKeyHeight, chart);
  DrawKey(canvas);

  const TRect plot = chart_->Layout().plot;
  column_ = {kChartWidth + kColumnInset, plot.Top + kKeyHeight, kWaveformWidth - kColumnInset,
             plot.Bottom + kKeyHeight};
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clGray);
  FillRows(canvas, column_.Left - 1, column_.Right + 1, column_.Top - 1, column_.Top);
  FillRows(canvas, column_.Left - 1, column_.Right + 1, column_.Bottom, column_.Bottom + 1);
  FillRows(canvas, column_.Left - 1, column_.Left, column_.Top, column_.Bottom);
  FillRows(canvas, column_.Right, column_.Right + 1, column_.Top, column_.Bottom);
  canvas.Brush().SetColor(kReferenceColor);
  for (const TiTrendReferenceLine& line : chart_->ParsedReferenceLines()) {
    const int row = RowOf(line.value);
    if (row >= column_.Top && row < column_.Bottom) FillRows(canvas, column_.Left, column_.Right, row, row + 1);
  }
  SetFont(canvas.Font());
  canvas.Brush().SetStyle(bsClear);
  const std::string name = "Actual";
  canvas.TextOut((column_.Left + column_.Right - canvas.TextWidth(name)) / 2, column_.Bottom + 6, name);
  canvas.Brush().SetStyle(bsSolid);
}

// The current colour's band and Y in the column, held to its plot.
void TWaveformSurface::DrawCurrent(TCanvas& canvas, const TColorSignalValues& current) const {
  const TWaveformLevels levels = WaveformLevels(current);
  const auto rows = [&](int top, int bottom) {
    return std::pair{std::clamp(top, column_.Top, column_.Bottom), std::clamp(bottom, column_.Top, column_.Bottom)};
  };
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(kCurrentColor);
  const auto [bandTop, bandBottom] = rows(RowOf(levels.High), RowOf(levels.Low) + 1);
  FillRows(canvas, column_.Left + 16, column_.Right - 16, bandTop, bandBottom);
  canvas.Brush().SetColor(kLumaColor);
  const auto [lumaTop, lumaBottom] = rows(RowOf(levels.Luma), RowOf(levels.Luma) + 2);
  FillRows(canvas, column_.Left + 6, column_.Right - 6, lumaTop, lumaBottom);
}

TRect TWaveformSurface::Redraw(TCanvas& canvas, TBarSet set, const TColorSignalValues& current) {
  const bool sized = frame_.Width() == kWaveformWidth && frame_.Height() == kWaveformHeight;
  if (!framed_ || !sized || set != frameSet_ || canvas.Target().Width() != kWaveformWidth) {
    DrawLine(canvas, set);
    frame_.Assign(canvas.Target());
    framed_ = true;
    frameSet_ = set;
    DrawCurrent(canvas, current);
    return {0, 0, kWaveformWidth, kWaveformHeight};
  }
  canvas.CopyRect(column_, frame_.Canvas(), column_);
  DrawCurrent(canvas, current);
  return column_;
}

TRect TWaveformSurface::Draw(TCanvas& canvas, TBarSet set, const TColorSignalValues& current) {
  TWaveformSurface surface;
  return surface.Redraw(canvas, set, current);
}

}  // namespace tintoral
