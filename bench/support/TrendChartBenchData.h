#pragma once
// The data every trend-chart repaint benchmark draws, ours and the peers':
// 4 channels of N samples, one a millisecond, each a random walk with a
// spike, on an 800 × 300 chart with one-pixel lines and fixed axes.
//
// Every measured repaint follows a change, as in a live panel: one new
// sample arrives on each channel, the oldest leaves, and the view moves on
// to end at the newest (by a millisecond, a fraction of a pixel column, so
// every column's contents change). The time taken includes taking that
// sample in.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace tintoral::bench {

constexpr int kChartWidth = 800;
constexpr int kChartHeight = 300;
constexpr int kChannels = 4;
constexpr double kSampleStep = 1e-3;  // seconds (ours) or key units (peers)
constexpr double kValueMin = -50;
constexpr double kValueMax = 150;

struct TrendSeries {
  std::vector<double> times;
  std::vector<double> values;
};

// The time (or key) of sample `index` of every channel.
inline double SampleTime(std::int64_t index) { return static_cast<double>(index) * kSampleStep; }

// Channel `channel` of `samples` points; the same for a given size.
inline TrendSeries MakeSeries(int channel, std::int64_t samples) {
  std::mt19937_64 random(1000 + static_cast<unsigned>(channel));
  std::uniform_real_distribution<double> step(-0.5, 0.5);
  TrendSeries series;
  series.times.resize(static_cast<std::size_t>(samples));
  series.values.resize(static_cast<std::size_t>(samples));
  double value = 25.0 * (channel + 1);
  for (std::int64_t i = 0; i < samples; ++i) {
    value += step(random);
    if (value < 0 || value > 100) value = 50;
    series.times[static_cast<std::size_t>(i)] = SampleTime(i);
    series.values[static_cast<std::size_t>(i)] = i == samples / 3 ? 140.0 : value;
  }
  return series;
}

// The values that arrive between repaints: the series' first ones again.
struct ArrivingValues {
  std::vector<double> values;
  explicit ArrivingValues(const TrendSeries& series)
      : values(series.values.begin(),
               series.values.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(series.values.size(), 4096))) {
  }
  double operator[](std::int64_t index) const { return values[static_cast<std::size_t>(index) % values.size()]; }
};

// The sizes compared: 10^4 … 10^7 samples per channel.
constexpr std::int64_t kSizes[] = {10000, 100000, 1000000, 10000000};
constexpr const char* kSizeNames[] = {"10k", "100k", "1M", "10M"};

}  // namespace tintoral::bench
