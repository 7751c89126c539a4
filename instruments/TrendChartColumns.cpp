#include "instruments/TrendChartColumns.h"

#include <algorithm>
#include <cmath>

namespace tintoral {

namespace {

TTrendNeighbour NeighbourAt(const TTrendHistory& history, std::int64_t sequence) {
  if (sequence < history.First() || sequence >= history.End()) return {};
  return {true, history.TimeAt(sequence), history.ValueAt(sequence)};
}

// The first stored sample that the map puts in `column` or a later one.
std::int64_t FirstInOrAfter(const TTrendHistory& history, const TTrendColumnMap& map, int column) {
  return history.FirstWhere([&](double t) { return map.ColumnOf(t) >= column; });
}

// Columns [first, end) of the map, whose samples are begin … last - 1. The
// first sample of each column is found by the same pixel rule that a
// sample-by-sample rasterisation applies; each search starts where evenly
// spread samples would put the column's end.
void DecimateSpan(const TTrendHistory& history, const TTrendColumnMap& map, std::vector<TTrendColumn>& columns,
                  int first, int end, std::int64_t begin, std::int64_t last) {
  const std::int64_t start = begin;
  const double perColumn = static_cast<double>(last - begin) / (end - first);
  constexpr int kPrefetchAhead = 6;  // columns
  // Columns of a few runs of 16 each read memory the processor already
  // fetches on its own; sparser ones are asked for ahead.
  const bool prefetch = perColumn >= 4 * TTrendHistory::kFanOut;
  for (int column = first; column < end; ++column) {
    const int step = column - first + 1;
    if (prefetch) history.Prefetch(start + static_cast<std::int64_t>(perColumn * (step + kPrefetchAhead)));
    const auto guess = start + static_cast<std::int64_t>(perColumn * step);
    const std::int64_t next =
        history.FirstWhereNear([&](double t) { return map.ColumnOf(t) > column; }, begin, last, guess);
    TTrendColumn& c = columns[static_cast<std::size_t>(column)];
    c = TTrendColumn{};
    c.begin = begin;
    if (next > begin) {
      c.range = history.Summary(begin, next);
      c.count = next - begin;
      c.first = history.ValueAt(begin);
      c.last = history.ValueAt(next - 1);
      c.firstTime = history.TimeAt(begin);
      c.lastTime = history.TimeAt(next - 1);
    }
    begin = next;
  }
}

void Remember(const TTrendHistory& history, const TTrendColumnMap& map, TTrendColumns& out) {
  out.history = &history;
  out.epoch = history.Epoch();
  out.map = map;
}

void FindNeighbours(const TTrendHistory& history, TTrendColumns& out) {
  const TTrendColumn& first = out.columns.front();
  const TTrendColumn& last = out.columns.back();
  out.before = NeighbourAt(history, first.begin - 1);
  out.after = NeighbourAt(history, last.begin + last.count);
}

// Whether the samples the map puts in `column` are exactly those `c` was
// taken from: the ones just outside fall in other columns, the first and
// last inside fall in this one, and none has left the ring.
bool StillExact(const TTrendHistory& history, const TTrendColumnMap& map, const TTrendColumn& c, int column) {
  const std::int64_t end = c.begin + c.count;
  if (c.begin < history.First() || end > history.End()) return false;
  if (c.begin > history.First() && map.ColumnOf(history.TimeAt(c.begin - 1)) >= column) return false;
  if (end < history.End() && map.ColumnOf(history.TimeAt(end)) <= column) return false;
  return c.count == 0 ||
         (map.ColumnOf(history.TimeAt(c.begin)) == column && map.ColumnOf(history.TimeAt(end - 1)) == column);
}

// Whether the view moved by a whole number of columns, `shift` (positive: to
// later times), and is otherwise the same.
bool WholeColumnShift(const TTrendColumnMap& from, const TTrendColumnMap& to, std::int64_t& shift) {
  if (from.width != to.width || from.span != to.span || !(to.span > 0)) return false;
  const double columns = (to.start - from.start) * to.width / to.span;
  if (!(std::fabs(columns) < to.width)) return false;
  shift = std::llround(columns);
  // Times of about 1e9 s carry rounding of a few 1e-7 s: near enough is
  // worth trying, and StillExact decides column by column.
  return std::fabs(columns - static_cast<double>(shift)) < 0.01;
}

}  // namespace

void DecimateColumns(const TTrendHistory& history, const TTrendColumnMap& map, TTrendColumns& out) {
  const int width = map.width > 0 ? map.width : 0;
  out.columns.assign(static_cast<std::size_t>(width), TTrendColumn{});
  out.before = {};
  out.after = {};
  Remember(history, map, out);
  if (history.Empty() || width == 0) return;
  const std::int64_t begin = FirstInOrAfter(history, map, 0);
  DecimateSpan(history, map, out.columns, 0, width, begin, FirstInOrAfter(history, map, width));
  FindNeighbours(history, out);
}

int UpdateColumns(const TTrendHistory& history, const TTrendColumnMap& map, TTrendColumns& out) {
  std::int64_t shift = 0;
  const bool reusable = out.history == &history && out.epoch == history.Epoch() && !history.Empty() &&
                        static_cast<int>(out.columns.size()) == map.width && map.width > 0 &&
                        WholeColumnShift(out.map, map, shift);
  if (!reusable) {
    DecimateColumns(history, map, out);
    return std::max(map.width, 0);
  }
  const int width = map.width;
  std::vector<TTrendColumn>& columns = out.columns;
  // Column c of the old view is column c - shift of the new one.
  if (shift > 0) std::move(columns.begin() + shift, columns.end(), columns.begin());
  else if (shift < 0) std::move_backward(columns.begin(), columns.end() + shift, columns.end());
  const int keptFrom = static_cast<int>(std::max<std::int64_t>(0, -shift));
  const int keptTo = static_cast<int>(std::min<std::int64_t>(width, width - shift));
  Remember(history, map, out);
  std::vector<char> exact(static_cast<std::size_t>(width), 0);
  for (int column = keptFrom; column < keptTo; ++column)
    exact[static_cast<std::size_t>(column)] =
        StillExact(history, map, columns[static_cast<std::size_t>(column)], column);
  int decimated = 0;
  for (int column = 0; column < width;) {
    if (exact[static_cast<std::size_t>(column)]) {
      ++column;
      continue;
    }
    // A run of columns to decimate, between exact ones where there are.
    int end = column + 1;
    while (end < width && !exact[static_cast<std::size_t>(end)]) ++end;
    const TTrendColumn* before = column > 0 ? &columns[static_cast<std::size_t>(column - 1)] : nullptr;
    const std::int64_t begin = before ? before->begin + before->count : FirstInOrAfter(history, map, 0);
    const std::int64_t last =
        end < width ? columns[static_cast<std::size_t>(end)].begin : FirstInOrAfter(history, map, width);
    DecimateSpan(history, map, columns, column, end, begin, last);
    decimated += end - column;
    column = end;
  }
  FindNeighbours(history, out);
  return decimated;
}

}  // namespace tintoral
