// The trend history and its decimation against a brute-force reference:
// every sample put into its column one by one with the same pixel rule.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "instruments/TrendChartColumns.h"
#include "instruments/TrendChartHistory.h"

namespace tintoral {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct SeriesCase {
  std::string name;
  std::int64_t samples;
  std::int64_t capacity;
  int windows;  // random views checked
  unsigned seed;
};

// GoogleTest prints the parameter into the CTest name as well.
void PrintTo(const SeriesCase& c, std::ostream* out) { *out << c.name; }

// A random series: time steps of 0 (several samples at one time) or more,
// a random walk with plateaus, single-sample spikes and runs of gaps.
void FillSeries(TTrendHistory& history, std::int64_t samples, std::mt19937_64& random) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<double> times(static_cast<std::size_t>(samples));
  std::vector<double> values(static_cast<std::size_t>(samples));
  double t = history.Empty() ? 1.8e9 : history.LastTime();  // seconds since 1970, as the chart stores them
  double v = 0;
  std::int64_t plateau = 0;
  std::int64_t gap = 0;
  for (std::int64_t i = 0; i < samples; ++i) {
    const double r = unit(random);
    t += r < 0.05 ? 0.0 : 1e-3 * (0.5 + unit(random));
    if (plateau > 0) --plateau;
    else if (r > 0.999) plateau = 1 + static_cast<std::int64_t>(unit(random) * 5000);
    else v += unit(random) - 0.5;
    double value = v;
    if (gap > 0) {
      --gap;
      value = kNaN;
    } else if (r > 0.9995) {
      gap = static_cast<std::int64_t>(unit(random) * 300);
    } else if (unit(random) < 1e-4) {
      value = v + (unit(random) < 0.5 ? -1e6 : 1e6);  // a spike
    }
    times[static_cast<std::size_t>(i)] = t;
    values[static_cast<std::size_t>(i)] = value;
  }
  history.Append(times, values);
}

class TrendDecimation : public testing::TestWithParam<SeriesCase> {};

TEST_P(TrendDecimation, EveryColumnMatchesSampleBySampleRasterisation) {
  const SeriesCase& c = GetParam();
  std::mt19937_64 random(c.seed);
  TTrendHistory history(c.capacity);
  FillSeries(history, c.samples, random);
  ASSERT_EQ(history.Count(), std::min(c.samples, c.capacity));
  const double first = history.TimeAt(history.First());
  const double last = history.LastTime();
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  TTrendColumns engine;
  for (int w = 0; w < c.windows; ++w) {
    // Views that start before, inside or after the data and end anywhere.
    TTrendColumnMap map;
    map.width = w == 0 ? 800 : 1 + static_cast<int>(unit(random) * 1200);
    map.start = first + (unit(random) * 1.2 - 0.1) * (last - first);
    map.span = w == 0 ? (last - first) * 1.01 : (unit(random) * 1.1 + 1e-6) * (last - first);
    DecimateColumns(history, map, engine);
    std::vector<TTrendColumn> brute(static_cast<std::size_t>(map.width));
    for (std::int64_t s = history.First(); s < history.End(); ++s) {
      const std::int64_t column = map.ColumnOf(history.TimeAt(s));
      if (column < 0 || column >= map.width) continue;
      TTrendColumn& b = brute[static_cast<std::size_t>(column)];
      if (b.count++ == 0) b.first = history.ValueAt(s);
      b.last = history.ValueAt(s);
      b.range.Add(history.ValueAt(s));
    }
    for (int x = 0; x < map.width; ++x) {
      const TTrendColumn& e = engine.columns[static_cast<std::size_t>(x)];
      const TTrendColumn& b = brute[static_cast<std::size_t>(x)];
      SCOPED_TRACE("view " + std::to_string(w) + ", column " + std::to_string(x));
      ASSERT_EQ(e.count, b.count);
      if (b.count == 0) continue;
      ASSERT_EQ(e.range.HasValues(), b.range.HasValues());
      if (b.range.HasValues()) {
        ASSERT_EQ(e.range.min, b.range.min);
        ASSERT_EQ(e.range.max, b.range.max);
      }
      ASSERT_EQ(e.range.gap, b.range.gap);
      ASSERT_EQ(std::isnan(e.first), std::isnan(b.first));
      ASSERT_EQ(std::isnan(e.last), std::isnan(b.last));
      if (!std::isnan(b.first)) {
        ASSERT_EQ(e.first, b.first);
      }
      if (!std::isnan(b.last)) {
        ASSERT_EQ(e.last, b.last);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Series, TrendDecimation,
                         testing::Values(SeriesCase{"thousand", 1000, 1000, 40, 1},
                                         SeriesCase{"thousand_in_a_small_ring", 1000, 100, 40, 2},
                                         SeriesCase{"ten_thousand", 10000, 10000, 30, 3},
                                         SeriesCase{"hundred_thousand_wrapped", 100000, 37000, 20, 4},
                                         SeriesCase{"million", 1000000, 1000000, 6, 5},
                                         SeriesCase{"ten_million", 10000000, 10000000, 2, 6}),
                         [](const testing::TestParamInfo<SeriesCase>& info) { return info.param.name; });

// Columns kept from an earlier frame must be exactly what a fresh
// decimation gives after every kind of change; `fresh` bounds the columns
// decimated anew, so that a change by whole columns is seen to reuse.
struct ReuseCase {
  std::string name;
  void (*change)(TTrendHistory&, TTrendColumnMap&, std::mt19937_64&);
  int fresh;
};

void PrintTo(const ReuseCase& c, std::ostream* out) { *out << c.name; }

double ColumnSpan(const TTrendColumnMap& map) { return map.span / map.width; }

bool Same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

const ReuseCase kReuseCases[] = {
    {"unchanged", [](TTrendHistory&, TTrendColumnMap&, std::mt19937_64&) {}, 0},
    {"scrolled_three_columns_on",
     [](TTrendHistory& h, TTrendColumnMap& m, std::mt19937_64& r) {
       FillSeries(h, 400, r);
       m.start += 3 * ColumnSpan(m);
     },
     200},
    {"scrolled_five_columns_back",
     [](TTrendHistory&, TTrendColumnMap& m, std::mt19937_64&) { m.start -= 5 * ColumnSpan(m); }, 5},
    {"new_samples_in_view", [](TTrendHistory& h, TTrendColumnMap&, std::mt19937_64& r) { FillSeries(h, 50, r); }, 200},
    {"ring_wrapped_past_the_view",
     [](TTrendHistory& h, TTrendColumnMap&, std::mt19937_64& r) { FillSeries(h, 30000, r); }, 800},
    {"moved_by_part_of_a_column",
     [](TTrendHistory&, TTrendColumnMap& m, std::mt19937_64&) { m.start += 0.4 * ColumnSpan(m); }, 800},
    {"zoomed", [](TTrendHistory&, TTrendColumnMap& m, std::mt19937_64&) { m.span *= 0.9; }, 800},
    {"resized", [](TTrendHistory&, TTrendColumnMap& m, std::mt19937_64&) { m.width += 7; }, 807},
    {"cleared_and_refilled",
     [](TTrendHistory& h, TTrendColumnMap&, std::mt19937_64& r) {
       const std::int64_t count = h.Count();
       h.Clear();
       FillSeries(h, count, r);
     },
     800},
};

class TrendColumnReuse : public testing::TestWithParam<ReuseCase> {};

TEST_P(TrendColumnReuse, KeptColumnsEqualAFreshDecimation) {
  std::mt19937_64 random(7);
  TTrendHistory history(20000);
  FillSeries(history, 15000, random);
  const double first = history.TimeAt(history.First());
  // A view from the middle of the data to beyond its end.
  TTrendColumnMap map{first + 0.4 * (history.LastTime() - first), 0.7 * (history.LastTime() - first), 800};
  TTrendColumns kept;
  DecimateColumns(history, map, kept);
  GetParam().change(history, map, random);
  const int decimated = UpdateColumns(history, map, kept);
  EXPECT_LE(decimated, GetParam().fresh);
  TTrendColumns fresh;
  DecimateColumns(history, map, fresh);
  ASSERT_EQ(kept.columns.size(), fresh.columns.size());
  for (std::size_t x = 0; x < fresh.columns.size(); ++x) {
    const TTrendColumn& k = kept.columns[x];
    const TTrendColumn& f = fresh.columns[x];
    SCOPED_TRACE("column " + std::to_string(x));
    ASSERT_EQ(k.begin, f.begin);
    ASSERT_EQ(k.count, f.count);
    ASSERT_TRUE(Same(k.range.min, f.range.min) && Same(k.range.max, f.range.max) && k.range.gap == f.range.gap);
    ASSERT_TRUE(Same(k.first, f.first) && Same(k.last, f.last));
    ASSERT_TRUE(Same(k.firstTime, f.firstTime) && Same(k.lastTime, f.lastTime));
  }
  EXPECT_EQ(kept.before.present, fresh.before.present);
  EXPECT_TRUE(Same(kept.before.time, fresh.before.time) && Same(kept.after.time, fresh.after.time));
  EXPECT_EQ(kept.after.present, fresh.after.present);
}

INSTANTIATE_TEST_SUITE_P(Changes, TrendColumnReuse, testing::ValuesIn(kReuseCases),
                         [](const testing::TestParamInfo<ReuseCase>& info) { return info.param.name; });

TEST(TrendHistory, OneSpikeAmongTenMillionSamplesReachesItsColumn) {
  TTrendHistory history(10000000);
  std::vector<double> times(10000000);
  std::vector<double> values(10000000, 1.0);
  for (std::size_t i = 0; i < times.size(); ++i) times[i] = static_cast<double>(i);
  values[7654321] = 99.0;
  history.Append(times, values);
  TTrendColumns columns;
  DecimateColumns(history, TTrendColumnMap{0, 1e7, 800}, columns);
  const auto spikeColumn = static_cast<std::size_t>(std::int64_t{7654321} * 800 / 10000000);
  for (std::size_t x = 0; x < columns.columns.size(); ++x)
    EXPECT_EQ(columns.columns[x].range.max, x == spikeColumn ? 99.0 : 1.0) << "column " << x;
}

// Input the ring cannot take as it is: what is kept and what is counted.
TEST(TrendHistory, BadSamplesAreClampedDroppedOrGapsAndCounted) {
  TTrendHistory history(16);
  EXPECT_TRUE(history.Append(10, 1));
  EXPECT_FALSE(history.Append(kNaN, 2));  // no time: dropped
  EXPECT_FALSE(history.Append(kInf, 2));  // likewise
  EXPECT_TRUE(history.Append(5, 3));      // back in time: at the last time
  EXPECT_TRUE(history.Append(11, kInf));  // no pixel for it: a gap
  EXPECT_TRUE(history.Append(3e10, 4));   // centuries ahead: kept, the ring is bounded
  ASSERT_EQ(history.Count(), 4);
  EXPECT_EQ(history.TimeAt(1), 10);
  EXPECT_TRUE(std::isnan(history.ValueAt(2)));
  EXPECT_EQ(history.DroppedSamples(), 2u);
  EXPECT_EQ(history.ClampedTimes(), 1u);
  EXPECT_EQ(history.RejectedValues(), 1u);
  EXPECT_TRUE(history.Summary(0, 4).gap);
}

TEST(TrendHistory, CapacityIsHeldToItsLimitsAndAShrinkKeepsTheNewest) {
  EXPECT_EQ(TTrendHistory(0).Capacity(), TTrendHistory::kMinCapacity);
  EXPECT_EQ(TTrendHistory(-5).Capacity(), TTrendHistory::kMinCapacity);
  EXPECT_EQ(TTrendHistory(std::int64_t{1} << 40).Capacity(), TTrendHistory::kMaxCapacity);
  TTrendHistory history(1000);
  for (int i = 0; i < 1000; ++i) history.Append(i, i);
  history.SetCapacity(100);
  ASSERT_EQ(history.Count(), 100);
  EXPECT_EQ(history.TimeAt(history.First()), 900);
  const TTrendRange all = history.Summary(history.First(), history.End());
  EXPECT_EQ(all.min, 900);
  EXPECT_EQ(all.max, 999);
  history.Append(1000, -1);  // the pyramid goes on from the kept samples
  EXPECT_EQ(history.Summary(history.First(), history.End()).min, -1);
}

}  // namespace
}  // namespace tintoral
