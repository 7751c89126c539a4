#pragma once
// The data every trend-chart repaint benchmark draws, ours and the peers':
// 4 channels of N samples, one a millisecond, each a random walk with a
// spike, on an 800 × 300 chart with one-pixel lines and fixed axes.
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
    series.times[static_cast<std::size_t>(i)] = static_cast<double>(i) * kSampleStep;
    series.values[static_cast<std::size_t>(i)] = i == samples / 3 ? 140.0 : value;
  }
  return series;
}

// The sizes compared: 10^4 … 10^7 samples per channel.
constexpr std::int64_t kSizes[] = {10000, 100000, 1000000, 10000000};
constexpr const char* kSizeNames[] = {"10k", "100k", "1M", "10M"};

}  // namespace tintoral::bench
