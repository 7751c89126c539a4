#include "platform/graphics/PolygonFill.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory_resource>
#include <vector>

namespace tintoral::raster {
namespace {

template <class Int>
void FloorDivideIn(Int a, Int b, std::int64_t& quotient, std::int64_t& remainder) {
  Int q = a / b;
  Int r = a % b;
  if (r < 0) {
    --q;
    r += b;
  }
  quotient = static_cast<std::int64_t>(q);
  remainder = static_cast<std::int64_t>(r);
}

// floor(a / b) and its remainder for b > 0; in 64 bits when a fits, which
// is every polygon on a real surface (a 128-bit division is a library call).
void FloorDivide(__int128 a, std::int64_t b, std::int64_t& quotient, std::int64_t& remainder) {
  constexpr std::int64_t Low = std::numeric_limits<std::int64_t>::min(),
                         High = std::numeric_limits<std::int64_t>::max();
  if (a >= Low && a <= High) FloorDivideIn<std::int64_t>(static_cast<std::int64_t>(a), b, quotient, remainder);
  else FloorDivideIn<__int128>(a, b, quotient, remainder);
}

// A non-horizontal edge, oriented downwards, covering the rows [top, bottom).
// Pixel centres sit on the integer coordinates, as the vertices and the
// one-pixel lines of the outline do. At row y the edge crosses at
// x = x0 + (y - y0) dx / dy; the first pixel whose centre lies at or right of
// that is ceil((2 x0 dy + 2 (y - y0) dx) / (2 dy)), tracked exactly as a
// quotient and remainder.
struct Edge {
  std::int64_t x0, y0, dx, dy;
  int top, bottom;
  std::int64_t quotient = 0, remainder = 0;
  std::int64_t stepQuotient = 0, stepRemainder = 0;

  std::int64_t Denominator() const { return 2 * dy; }

  void StartAt(int y) {
    const __int128 numerator = static_cast<__int128>(2 * x0) * dy + static_cast<__int128>(2 * (y - y0)) * dx;
    FloorDivide(numerator, Denominator(), quotient, remainder);
    FloorDivide(2 * static_cast<__int128>(dx), Denominator(), stepQuotient, stepRemainder);
  }
  std::int64_t FirstPixel() const { return quotient + (remainder != 0 ? 1 : 0); }
  void NextRow() {
    quotient += stepQuotient;
    remainder += stepRemainder;
    if (remainder >= Denominator()) {
      remainder -= Denominator();
      ++quotient;
    }
  }
};

std::pmr::vector<Edge> CollectEdges(std::span<const TPoint> points, std::pmr::memory_resource& memory) {
  std::pmr::vector<Edge> edges(&memory);
  edges.reserve(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    TPoint a = points[i];
    TPoint b = points[(i + 1) % points.size()];
    if (a.Y == b.Y) continue;
    if (a.Y > b.Y) std::swap(a, b);
    edges.push_back({a.X, a.Y, std::int64_t{b.X} - a.X, std::int64_t{b.Y} - a.Y, a.Y, b.Y});
  }
  std::sort(edges.begin(), edges.end(), [](const Edge& l, const Edge& r) { return l.top < r.top; });
  return edges;
}

int ClampToInt(std::int64_t v, int low, int high) { return static_cast<int>(std::clamp<std::int64_t>(v, low, high)); }

}  // namespace

void FillPolygonEvenOdd(std::span<const TPoint> points, const TRect& clip, SpanSink& sink) {
  if (points.size() < 3 || clip.IsEmpty()) return;
  // The working lists of small polygons live on the stack.
  std::array<std::byte, 4096> scratch;
  std::pmr::monotonic_buffer_resource memory(scratch.data(), scratch.size());
  std::pmr::vector<Edge> edges = CollectEdges(points, memory);
  if (edges.empty()) return;
  int lastRow = clip.Top;
  for (const Edge& e : edges) lastRow = std::max(lastRow, e.bottom);
  lastRow = std::min(lastRow, clip.Bottom);
  int y = std::max(edges.front().top, clip.Top);

  std::pmr::vector<Edge*> active(&memory);
  std::pmr::vector<std::int64_t> crossings(&memory);
  active.reserve(edges.size());
  crossings.reserve(edges.size());
  std::size_t next = 0;
  for (; y < lastRow; ++y) {
    while (next < edges.size() && edges[next].top <= y) {
      Edge& e = edges[next++];
      if (e.bottom <= y) continue;  // ends above the clipped rows
      e.StartAt(y);
      active.push_back(&e);
    }
    std::erase_if(active, [y](const Edge* e) { return e->bottom <= y; });
    if (active.empty()) {
      if (next == edges.size()) break;
      y = std::max(y, edges[next].top - 1);  // skip the empty rows up to the next edge
      continue;
    }
    crossings.clear();
    for (Edge* e : active) {
      crossings.push_back(e->FirstPixel());
      e->NextRow();
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const int x0 = ClampToInt(crossings[i], clip.Left, clip.Right);
      const int x1 = ClampToInt(crossings[i + 1], clip.Left, clip.Right);
      if (x0 < x1) sink.Span(y, x0, x1);
    }
  }
}

}  // namespace tintoral::raster
