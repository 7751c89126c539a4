#pragma once
// Decimation of a trend channel into pixel columns: each column of the plot
// gets the exact minimum and maximum of the samples whose time falls in it,
// with its first and last sample for the lines that join the columns. The
// cost is a few binary searches and one pyramid summary per column
// (TTrendHistory::Summary), whatever the number of samples; a view moved by
// whole columns (a live strip scrolling a column at a time, a sweep, a
// paused view) keeps the columns whose samples are still the same and
// decimates only the others (UpdateColumns).
#include <cstdint>
#include <limits>
#include <vector>

#include "instruments/TrendChartHistory.h"

namespace tintoral {

// The pixel rule of the horizontal axis: a sample at time (or x) t lies in
// column floor((t - start) × width / span). Times before the plot give -1,
// times at or after its right end give `width`.
struct TTrendColumnMap {
  double start = 0;
  double span = 1;
  int width = 0;

  std::int64_t ColumnOf(double t) const {
    const double position = (t - start) * width / span;
    if (!(position >= 0)) return -1;  // before the plot (or no usable span)
    if (position >= width) return width;
    return static_cast<std::int64_t>(position);  // not negative: truncation is the floor
  }
  // The time at the left edge of `column`.
  double TimeOf(double column) const { return start + column * span / width; }
};

struct TTrendColumn {
  TTrendRange range;  // the values in the column
  std::int64_t count = 0;
  std::int64_t begin = 0;  // the sequence number of its first sample (of the next one when it has none)
  double first = std::numeric_limits<double>::quiet_NaN();  // its first sample's value
  double last = std::numeric_limits<double>::quiet_NaN();   // its last sample's value
  double firstTime = 0;
  double lastTime = 0;
};

// A sample just outside the plot, for the line that enters or leaves it.
struct TTrendNeighbour {
  bool present = false;
  double time = 0;
  double value = 0;
};

struct TTrendColumns {
  std::vector<TTrendColumn> columns;
  TTrendNeighbour before;
  TTrendNeighbour after;
  // What the columns were taken from, for UpdateColumns.
  const TTrendHistory* history = nullptr;
  std::uint64_t epoch = 0;
  TTrendColumnMap map;
};

// Fills `out` (its storage is reused) with the columns of the map.
void DecimateColumns(const TTrendHistory& history, const TTrendColumnMap& map, TTrendColumns& out);
// The same result as DecimateColumns, from what `out` holds of an earlier
// call: where the map moved by a whole number of columns, a column whose
// samples are still exactly those of the column it came from is kept, and
// only the others are decimated. Returns the number decimated.
int UpdateColumns(const TTrendHistory& history, const TTrendColumnMap& map, TTrendColumns& out);

}  // namespace tintoral
