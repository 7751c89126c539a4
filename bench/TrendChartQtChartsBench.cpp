// The peer of TrendChartBench's repaints: Qt Charts 6.4, a QChartView of
// 800 × 300 with 4 QLineSeries holding the same data, no antialiasing,
// one-pixel pens, fixed axes, rendered into an image once per iteration.
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

#include "bench/support/TrendChartBenchData.h"

namespace {

using namespace tintoral::bench;

void Repaint(benchmark::State& state, std::int64_t samples) {
  auto* chart = new QChart;
  auto* axisX = new QValueAxis;
  auto* axisY = new QValueAxis;
  axisX->setRange(0, static_cast<double>(samples) * kSampleStep);
  axisY->setRange(kValueMin, kValueMax);
  chart->addAxis(axisX, Qt::AlignBottom);
  chart->addAxis(axisY, Qt::AlignLeft);
  for (int c = 0; c < kChannels; ++c) {
    const TrendSeries series = MakeSeries(c, samples);
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(samples));
    for (std::size_t i = 0; i < series.times.size(); ++i) points.append(QPointF(series.times[i], series.values[i]));
    auto* line = new QLineSeries;
    line->replace(points);
    line->setPen(QPen(QColor::fromHsv(c * 90, 255, 200), 1));
    chart->addSeries(line);
    line->attachAxis(axisX);
    line->attachAxis(axisY);
  }
  QChartView view(chart);
  view.setRenderHint(QPainter::Antialiasing, false);
  view.resize(kChartWidth, kChartHeight);
  QImage image(kChartWidth, kChartHeight, QImage::Format_RGB32);
  for (auto _ : state) {
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
