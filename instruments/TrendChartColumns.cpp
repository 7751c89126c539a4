#include "instruments/TrendChartColumns.h"

#include <cmath>

namespace tintoral {

std::int64_t TTrendColumnMap::ColumnOf(double t) const {
  const double position = (t - start) * width / span;
  if (!(position >= 0)) return -1;  // before the plot (or no usable span)
  if (position >= width) return width;
  return static_cast<std::int64_t>(std::floor(position));
}

namespace {

TTrendNeighbour NeighbourAt(const TTrendHistory& history, std::int64_t sequence) {
  if (sequence < history.First() || sequence >= history.End()) return {};
  return {true, history.TimeAt(sequence), history.ValueAt(sequence)};
}

}  // namespace

void DecimateColumns(const TTrendHistory& history, const TTrendColumnMap& map, TTrendColumns& out) {
  const int width = map.width > 0 ? map.width : 0;
  out.columns.assign(static_cast<std::size_t>(width), TTrendColumn{});
  out.before = {};
  out.after = {};
  if (history.Empty() || width == 0) return;
  // The first sample of each column, found by the same pixel rule that a
  // sample-by-sample rasterisation applies.
  std::int64_t begin = history.FirstWhere([&](double t) { return map.ColumnOf(t) >= 0; });
  out.before = NeighbourAt(history, begin - 1);
  for (int column = 0; column < width; ++column) {
    const std::int64_t end = history.FirstWhere([&](double t) { return map.ColumnOf(t) > column; });
    if (end > begin) {
      TTrendColumn& c = out.columns[static_cast<std::size_t>(column)];
      c.range = history.Summary(begin, end);
      c.count = end - begin;
      c.first = history.ValueAt(begin);
      c.last = history.ValueAt(end - 1);
      c.firstTime = history.TimeAt(begin);
      c.lastTime = history.TimeAt(end - 1);
    }
    begin = end;
  }
  out.after = NeighbourAt(history, begin);
}

}  // namespace tintoral
