#include "instruments/TrendChartColumns.h"

namespace tintoral {

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
  // sample-by-sample rasterisation applies; each search starts where evenly
  // spread samples would put the column's end.
  std::int64_t begin = history.FirstWhere([&](double t) { return map.ColumnOf(t) >= 0; });
  const std::int64_t last = history.FirstWhere([&](double t) { return map.ColumnOf(t) >= width; });
  out.before = NeighbourAt(history, begin - 1);
  const std::int64_t start = begin;
  const double perColumn = static_cast<double>(last - begin) / width;
  constexpr int kPrefetchAhead = 6;  // columns
  for (int column = 0; column < width; ++column) {
    history.Prefetch(start + static_cast<std::int64_t>(perColumn * (column + 1 + kPrefetchAhead)));
    const auto guess = start + static_cast<std::int64_t>(perColumn * (column + 1));
    const std::int64_t end =
        history.FirstWhereNear([&](double t) { return map.ColumnOf(t) > column; }, begin, last, guess);
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
