// A full paint of the main window's banner (613 x 41, lowered border,
// margins 2, 2 x 2 cells, unlit cells shown) with a 31-character text,
// against QPainter filling the same cells one by one into a QImage of the
// same size and format: the 1,584 unlit cells, then the lit cells of the
// same glyphs (their positions worked out before timing). Compare the
// medians of the *Ours* runs with *QPainter*, and with the floor: writing
// the banner's pixels once.
#include <benchmark/benchmark.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "instruments/LCDDefaultFont.h"
#include "instruments/LCDMatrix.h"
#include "platform/graphics/Bitmap.h"

namespace {

using namespace tintoral;

constexpr int Width = 613;
constexpr int Height = 41;
constexpr char BannerText[] =
    "Se\xF1"
    "ales de color en TV: Y, U, V";
static_assert(sizeof(BannerText) - 1 == 31);

void MakeBanner(TiLCDMatrix& lcd) {
  lcd.SetBounds(0, 0, Width, Height);
  lcd.SetBorderStyle(ibsLowered);
  lcd.SetText(BannerText);
}

// PaintTo alone: background, border, unlit and lit cells.
void BM_LCDBanner_Ours_PaintTo(benchmark::State& state) {
  TiLCDMatrix lcd(nullptr);
  MakeBanner(lcd);
  TBitmap bitmap(Width, Height);
  for (auto _ : state) {
    lcd.PaintTo(bitmap.Canvas());
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
}
BENCHMARK(BM_LCDBanner_Ours_PaintTo);

// The control's whole paint path: a fresh off-screen bitmap, PaintTo, and
// presenting it in the control's paint buffer.
void BM_LCDBanner_Ours_PaintBuffer(benchmark::State& state) {
  TiLCDMatrix lcd(nullptr);
  MakeBanner(lcd);
  for (auto _ : state) {
    lcd.PaintBufferNow(false);
    benchmark::DoNotOptimize(lcd.PaintBuffer().ScanLine(0));
  }
}
BENCHMARK(BM_LCDBanner_Ours_PaintBuffer);

// The banner's cells as rectangles: cell (i, j) is 2 x 2 at (10 + 3i, 9 + 3j).
QRect Cell(int column, int row) { return QRect(10 + 3 * column, 9 + 3 * row, 2, 2); }

std::vector<QRect> OffCells() {
  std::vector<QRect> cells;
  for (int column = 0; column < 198; ++column)
    for (int row = 0; row < 8; ++row) cells.push_back(Cell(column, row));
  return cells;
}

// Character position c starts at cell column 6c; bit 4 of a row is its left column.
std::vector<QRect> LitCells() {
  std::vector<QRect> cells;
  const std::string text = BannerText;
  for (std::size_t c = 0; c < text.size(); ++c) {
    const TLCDGlyphRows& rows = DefaultGlyphRows(static_cast<unsigned char>(text[c]));
    for (int y = 0; y < kDefaultGlyphHeight; ++y)
      for (int x = 0; x < kDefaultGlyphWidth; ++x)
        if ((rows[static_cast<std::size_t>(y)] >> (kDefaultGlyphWidth - 1 - x)) & 1)
          cells.push_back(Cell(6 * static_cast<int>(c) + x, y));
  }
  return cells;
}

void BM_LCDBanner_QPainter(benchmark::State& state) {
  const std::vector<QRect> off = OffCells(), lit = LitCells();
  QImage image(Width, Height, QImage::Format_RGB32);
  const QColor background(0x5F, 0x94, 0x93), offColor(0x00, 0x80, 0x80), onColor(0x00, 0xFF, 0xFF);
  for (auto _ : state) {
    QPainter painter(&image);
    painter.fillRect(image.rect(), background);
    for (const QRect& cell : off) painter.fillRect(cell, offColor);
    for (const QRect& cell : lit) painter.fillRect(cell, onColor);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["lit_cells"] = static_cast<double>(lit.size());
}
BENCHMARK(BM_LCDBanner_QPainter);

// The memory-traffic floor of a full paint: every pixel of the banner
// written once, in one fill.
void BM_LCDBannerFloor_WriteOnce(benchmark::State& state) {
  TBitmap bitmap(Width, Height);
  for (auto _ : state) {
    std::fill_n(bitmap.ScanLine(0), Width * Height, std::uint32_t{0xFF5F9493});
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LCDBannerFloor_WriteOnce);

}  // namespace
