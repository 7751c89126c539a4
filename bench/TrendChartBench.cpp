// The trend chart's costs: a full repaint of an 800 × 300 chart with 4
// channels of 10^4 … 10^7 samples each after one more sample came in on
// each (BM_TrendRepaint<size>_Ours, paired with TrendChartQCustomPlotBench
// and TrendChartQtChartsBench, which draw the same data and take the same
// samples; the chart is not live, so its view ends at the newest sample and
// every column is decimated and drawn anew), appending into one channel (items per second), and a live
// strip chart of 8 channels at 1 kHz repainted 60 times a second (the
// counter core_share is the part of one core it takes).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "bench/support/TrendChartBenchData.h"
#include "instruments/TrendChart.h"

namespace {

using namespace tintoral;
using namespace tintoral::bench;

constexpr double kStart = 1.8e9;

std::unique_ptr<TiTrendChart> MakeChart(int channels, std::int64_t capacity) {
  auto chart = std::make_unique<TiTrendChart>(nullptr);
  chart->SetBounds(0, 0, kChartWidth, kChartHeight);
  chart->SetChannelCount(channels);
  chart->SetCapacity(static_cast<int>(capacity));
  chart->SetValueAutoScale(false);
  chart->SetValueMin(kValueMin);
  chart->SetValueMax(kValueMax);
  return chart;
}

void Repaint(benchmark::State& state, std::int64_t samples) {
  auto chart = MakeChart(kChannels, samples);
  std::vector<ArrivingValues> arriving;
  for (int c = 0; c < kChannels; ++c) {
    TrendSeries series = MakeSeries(c, samples);
    for (double& t : series.times) t += kStart;
    chart->AppendSamples(c, series.times, series.values);
    arriving.emplace_back(series);
  }
  chart->SetSpan(static_cast<double>(samples) * kSampleStep);
  chart->PaintBufferNow(false);
  std::int64_t next = samples;
  for (auto _ : state) {
    for (int c = 0; c < kChannels; ++c)
      chart->AppendSample(c, kStart + SampleTime(next), arriving[static_cast<std::size_t>(c)][next]);
    ++next;
    chart->PaintBufferNow(false);
    benchmark::DoNotOptimize(chart->PaintBuffer().ScanLine(0));
  }
}

void Append(benchmark::State& state) {
  constexpr int kBatch = 1 << 20;
  TTrendHistory history(TTrendHistory::kMaxCapacity);
  const TrendSeries series = MakeSeries(0, kBatch);
  double t = kStart;
  for (auto _ : state) {
    for (int i = 0; i < kBatch; ++i) history.Append(t += kSampleStep, series.values[static_cast<std::size_t>(i)]);
    benchmark::DoNotOptimize(history.End());
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(Append)->Name("BM_TrendAppend_Ours")->Unit(benchmark::kMillisecond);

// One display frame of a live strip chart: each of 8 channels gets the
// samples of 1/60 s at 1 kHz, then the chart repaints.
void LiveStrip(benchmark::State& state) {
  constexpr int kLiveChannels = 8;
  constexpr double kRate = 1000;
  constexpr double kFrame = 1.0 / 60;
  double now = kStart;
  auto chart = MakeChart(kLiveChannels, 120000);
  chart->SetSpan(60);
  chart->SetTimeSource([&now] { return now; });
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> value(0, 100);
  double next = now - 120;  // two minutes of history to start with
  auto feed = [&] {
    for (; next < now; next += 1 / kRate)
      for (int c = 0; c < kLiveChannels; ++c) chart->AppendSample(c, next, value(random));
  };
  feed();
  chart->Channel(0).SetValue(1);  // live from here: the view follows the clock
  for (auto _ : state) {
    now += kFrame;
    feed();
    chart->PaintBufferNow(false);
    benchmark::DoNotOptimize(chart->PaintBuffer().ScanLine(0));
  }
  // 60 frames' CPU time per second: the share of one core.
  state.counters["core_share"] = benchmark::Counter(static_cast<double>(state.iterations()) / 60.0,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(LiveStrip)->Name("BM_TrendLiveStrip8x1kHz_Ours")->Unit(benchmark::kMillisecond);

const bool registered = [] {
  for (std::size_t i = 0; i < std::size(kSizes); ++i)
    benchmark::RegisterBenchmark((std::string("BM_TrendRepaint") + kSizeNames[i] + "_Ours").c_str(), Repaint, kSizes[i])
        ->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
