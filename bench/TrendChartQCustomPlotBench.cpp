// The peer of TrendChartBench's repaints: QCustomPlot 2.1 (Qt 6) drawing the
// same 4 channels on an 800 × 300 plot, adaptive sampling on (its default),
// no antialiasing, one-pixel pens, fixed value axis; per iteration one
// sample arrives on each channel, the oldest leaves, the key axis moves on
// to the newest and the plot is replotted into its paint buffers. Built only where QCustomPlotQt6 is installed.
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <string>
#include <vector>

#include "bench/support/TrendChartBenchData.h"

namespace {

using namespace tintoral::bench;

void Repaint(benchmark::State& state, std::int64_t samples) {
  QCustomPlot plot;
  plot.resize(kChartWidth, kChartHeight);
  plot.setNotAntialiasedElements(QCP::aeAll);
  std::vector<ArrivingValues> arriving;
  for (int c = 0; c < kChannels; ++c) {
    const TrendSeries series = MakeSeries(c, samples);
    arriving.emplace_back(series);
    QCPGraph* graph = plot.addGraph();
    graph->setAdaptiveSampling(true);
    graph->setPen(QPen(QColor::fromHsv(c * 90, 255, 200), 1));
    graph->setData(QVector<double>(series.times.begin(), series.times.end()),
                   QVector<double>(series.values.begin(), series.values.end()), true);
  }
  const double span = static_cast<double>(samples) * kSampleStep;
  plot.xAxis->setRange(SampleTime(samples - 1) - span, SampleTime(samples - 1));
  plot.yAxis->setRange(kValueMin, kValueMax);
  plot.replot(QCustomPlot::rpImmediateRefresh);
  std::int64_t next = samples;
  for (auto _ : state) {
    for (int c = 0; c < kChannels; ++c) {
      QCPGraph* graph = plot.graph(c);
      graph->addData(SampleTime(next), arriving[static_cast<std::size_t>(c)][next]);
      graph->data()->removeBefore(SampleTime(next - samples + 1));
    }
    plot.xAxis->setRange(SampleTime(next) - span, SampleTime(next));
    ++next;
    plot.replot(QCustomPlot::rpQueuedRefresh);
    benchmark::DoNotOptimize(&plot);
  }
}

const bool registered = [] {
  for (std::size_t i = 0; i < std::size(kSizes); ++i)
    benchmark::RegisterBenchmark((std::string("BM_TrendRepaint") + kSizeNames[i] + "_QCustomPlot").c_str(), Repaint,
                                 kSizes[i])
        ->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
