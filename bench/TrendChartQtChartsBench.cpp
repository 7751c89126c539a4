// The peer of TrendChartBench's repaints: Qt Charts 6.4, a QChartView of
// 800 × 300 with 4 QLineSeries holding the same data, no antialiasing,
// one-pixel pens, fixed value axis; per iteration one sample arrives on
// each series and the oldest leaves (one replace of its points, its
// cheapest way to take a change), the key axis moves on to the newest and
// the view is rendered into an image.
// 10^7 samples are left out: one repaint takes too long to measure.
// Built only where Qt6Charts is installed.
#include <benchmark/benchmark.h>

#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <string>
#include <vector>

#include "bench/support/TrendChartBenchData.h"

namespace {

using namespace tintoral::bench;

void Repaint(benchmark::State& state, std::int64_t samples) {
  auto* chart = new QChart;
  auto* axisX = new QValueAxis;
  auto* axisY = new QValueAxis;
  const double span = static_cast<double>(samples) * kSampleStep;
  axisX->setRange(SampleTime(samples - 1) - span, SampleTime(samples - 1));
  axisY->setRange(kValueMin, kValueMax);
  chart->addAxis(axisX, Qt::AlignBottom);
  chart->addAxis(axisY, Qt::AlignLeft);
  std::vector<ArrivingValues> arriving;
  std::vector<QLineSeries*> lines;
  for (int c = 0; c < kChannels; ++c) {
    const TrendSeries series = MakeSeries(c, samples);
    arriving.emplace_back(series);
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(samples));
    for (std::size_t i = 0; i < series.times.size(); ++i) points.append(QPointF(series.times[i], series.values[i]));
    auto* line = new QLineSeries;
    line->replace(points);
    line->setPen(QPen(QColor::fromHsv(c * 90, 255, 200), 1));
    chart->addSeries(line);
    lines.push_back(line);
    line->attachAxis(axisX);
    line->attachAxis(axisY);
  }
  QChartView view(chart);
  view.setRenderHint(QPainter::Antialiasing, false);
  view.resize(kChartWidth, kChartHeight);
  QImage image(kChartWidth, kChartHeight, QImage::Format_RGB32);
  std::int64_t next = samples;
  for (auto _ : state) {
    for (int c = 0; c < kChannels; ++c) {
      // One replace per series: a single update of its geometry.
      QLineSeries* line = lines[static_cast<std::size_t>(c)];
      QList<QPointF> points = line->points();
      points.removeFirst();
      points.append(QPointF(SampleTime(next), arriving[static_cast<std::size_t>(c)][next]));
      line->replace(points);
    }
    axisX->setRange(SampleTime(next) - span, SampleTime(next));
    ++next;
    chart->update();
    QPainter painter(&image);
    view.render(&painter);
    benchmark::DoNotOptimize(image.constBits());
  }
}

const bool registered = [] {
  for (std::size_t i = 0; i + 1 < std::size(kSizes); ++i)
    benchmark::RegisterBenchmark((std::string("BM_TrendRepaint") + kSizeNames[i] + "_QtCharts").c_str(), Repaint,
                                 kSizes[i])
        ->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
