// Our raster canvas against QPainter (aliased, on a QImage of the same size
// and format) doing the same work: a fan of one-pixel lines, a grid of 2 x 2
// cell fills, and small filled and outlined polygons. Compare the *Canvas*
// and *QPainter* times of each pair.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

using namespace tintoral;

constexpr int Width = 400;
constexpr int Height = 300;
constexpr TColor PenColor = 0x2060A0;    // 0x00BBGGRR
constexpr TColor BrushColor = 0x40C080;  // 0x00BBGGRR

QColor ToQColor(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

// A hundred lines from the centre outwards in every direction, of varying lengths.
std::vector<QLine> FanLines() {
  std::vector<QLine> lines;
  for (int i = 0; i < 100; ++i) {
    const double angle = 2 * std::numbers::pi * i / 100;
    const double length = 60 + (i % 7) * 12;
    lines.emplace_back(Width / 2, Height / 2, Width / 2 + static_cast<int>(length * std::cos(angle)),
                       Height / 2 + static_cast<int>(length * std::sin(angle)));
  }
  return lines;
}

// Five-point polygons about 10 pixels across, on a grid over the surface.
std::vector<std::vector<QPoint>> SmallPolygons() {
  std::vector<std::vector<QPoint>> polygons;
  for (int y = 2; y + 12 < Height; y += 15)
    for (int x = 2; x + 12 < Width; x += 15)
      polygons.push_back({{x + 5, y}, {x + 10, y + 4}, {x + 8, y + 10}, {x + 2, y + 10}, {x, y + 4}});
  return polygons;
}

void ConfigureCanvas(TCanvas& c) {
  c.Pen().SetColor(PenColor);
  c.Brush().SetColor(BrushColor);
}

void ConfigurePainter(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, false);
  QPen pen(ToQColor(PenColor), 1);
  pen.setCosmetic(true);  // Qt's fastest one-pixel pen
  p.setPen(pen);
  p.setBrush(ToQColor(BrushColor));
}

void BM_Lines_Canvas(benchmark::State& state) {
  TBitmap bitmap(Width, Height);
  TCanvas& canvas = bitmap.Canvas();
  ConfigureCanvas(canvas);
  const std::vector<QLine> lines = FanLines();
  for (auto _ : state) {
    for (const QLine& l : lines) {
      canvas.MoveTo(l.x1(), l.y1());
      canvas.LineTo(l.x2(), l.y2());
    }
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_Lines_Canvas);

void BM_Lines_QPainter(benchmark::State& state) {
  QImage image(Width, Height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  ConfigurePainter(painter);
  const std::vector<QLine> lines = FanLines();
  for (auto _ : state) {
    for (const QLine& l : lines) painter.drawLine(l);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_Lines_QPainter);

void BM_CellFills_Canvas(benchmark::State& state) {
  TBitmap bitmap(Width, Height);
  TCanvas& canvas = bitmap.Canvas();
  ConfigureCanvas(canvas);
  for (auto _ : state) {
    for (int y = 0; y < Height; y += 2)
      for (int x = 0; x < Width; x += 2) canvas.FillRect({x, y, x + 2, y + 2});
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * (Width / 2) * (Height / 2));
}
BENCHMARK(BM_CellFills_Canvas);

void BM_CellFills_QPainter(benchmark::State& state) {
  QImage image(Width, Height, QImage::Format_RGB32);
  QPainter painter(&image);
  ConfigurePainter(painter);
  const QColor color = ToQColor(BrushColor);
  for (auto _ : state) {
    for (int y = 0; y < Height; y += 2)
      for (int x = 0; x < Width; x += 2) painter.fillRect(QRect(x, y, 2, 2), color);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations() * (Width / 2) * (Height / 2));
}
BENCHMARK(BM_CellFills_QPainter);

void BM_Polygons_Canvas(benchmark::State& state) {
  TBitmap bitmap(Width, Height);
  TCanvas& canvas = bitmap.Canvas();
  ConfigureCanvas(canvas);
  std::vector<std::vector<TPoint>> polygons;
  for (const auto& polygon : SmallPolygons()) {
    std::vector<TPoint> points;
    for (const QPoint& p : polygon) points.push_back({p.x(), p.y()});
    polygons.push_back(points);
  }
  for (auto _ : state) {
    for (const auto& polygon : polygons) canvas.Polygon(polygon);
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(polygons.size()));
}
BENCHMARK(BM_Polygons_Canvas);

void BM_Polygons_QPainter(benchmark::State& state) {
  QImage image(Width, Height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  ConfigurePainter(painter);
  const auto polygons = SmallPolygons();
  for (auto _ : state) {
    for (const auto& polygon : polygons) painter.drawPolygon(polygon.data(), static_cast<int>(polygon.size()));
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(polygons.size()));
}
BENCHMARK(BM_Polygons_QPainter);

}  // namespace
