// The peer of TrendChartBench's repaints: QCustomPlot 2.1 (Qt 6) drawing the
// same 4 channels on an 800 × 300 plot, adaptive sampling on (its default),
// no antialiasing, one-pixel pens, fixed axes; one full replot into its
// paint buffers per iteration. Built only where QCustomPlotQt6 is installed.
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <string>

#include "bench/support/TrendChartBenchData.h"

namespace {

using namespace tintoral::bench;

void Repaint(benchmark::State& state, std::int64_t samples) {
  QCustomPlot plot;
  plot.resize(kChartWidth, kChartHeight);
  plot.setNotAntialiasedElements(QCP::aeAll);
  for (int c = 0; c < kChannels; ++c) {
    const TrendSeries series = MakeSeries(c, samples);
    QCPGraph* graph = plot.addGraph();
    graph->setAdaptiveSampling(true);
    graph->setPen(QPen(QColor::fromHsv(c * 90, 255, 200), 1));
    graph->setData(QVector<double>(series.times.begin(), series.times.end()),
                   QVector<double>(series.values.begin(), series.values.end()), true);
  }
  plot.xAxis->setRange(0, static_cast<double>(samples) * kSampleStep);
  plot.yAxis->setRange(kValueMin, kValueMax);
  plot.replot(QCustomPlot::rpImmediateRefresh);
  for (auto _ : state) {
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
