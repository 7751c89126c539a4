#pragma once
// The waveform monitor of the test-signal window: one TV line of the
// selected colour bars, 52 µs, each bar 6.5 µs, drawn by a trend chart on
// its numeric axis. The luminance Y is a white step line; the composite
// signal, Y plus the chroma subcarrier, swings between Y − C and Y + C
// (C = √(U² + V²), the chrominance vector's length) and fills that band in
// green. Reference lines mark 0 %, 100 % and the composite signal's limits
// −33 % and +133 %: the 100 % bars reach them, the 75 % bars stay inside.
// Beside the line, in the same scale, a column "Actual" shows the current
// colour's Y and band in aqua, the vectorscope's colour for it.
//
// Every level comes from ComputeColorSignals and ChromaModulus, the main
// window's arithmetic, in per cent of full scale.
#include <array>
#include <memory>
#include <string>

#include "app/ColorBars.h"
#include "app/ColorSignals.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Geometry.h"

namespace tintoral {

class TCanvas;
class TiTrendChart;

inline constexpr int kWaveformWidth = 488;
inline constexpr int kWaveformHeight = 241;
inline constexpr double kLineMicroseconds = 52;
inline constexpr double kBarMicroseconds = kLineMicroseconds / kColorBarCount;
// The composite signal's limits, per cent.
inline constexpr double kCompositeLow = -33;
inline constexpr double kCompositeHigh = 133;

// A colour's levels on the monitor, per cent: Y and the band Y ± C.
struct TWaveformLevels {
  double Luma = 0;
  double Low = 0;
  double High = 0;
};

TWaveformLevels WaveformLevels(const TColorSignalValues& values);
// Bar `index` of a set, from its slider positions as the main window takes them.
TWaveformLevels BarWaveformLevels(TBarSet set, int index);

// What the monitor shows, in words (Windows-1252, the locale's decimal
// separator): the set's extent and the current colour's levels.
std::string WaveformSummary(TBarSet set, const TColorSignalValues& current);

// Keeps the picture (kWaveformWidth × kWaveformHeight) up to date on one
// surface: the line of the bars, drawn by the chart, is drawn again only
// when the set changes; each colour redraws only the "Actual" column.
class TWaveformSurface {
 public:
  TWaveformSurface();
  ~TWaveformSurface();

  // Returns the part of the picture it changed.
  TRect Redraw(TCanvas& canvas, TBarSet set, const TColorSignalValues& current);
  // The whole picture afresh.
  static TRect Draw(TCanvas& canvas, TBarSet set, const TColorSignalValues& current);

 private:
  void DrawLine(TCanvas& canvas, TBarSet set);
  void DrawCurrent(TCanvas& canvas, const TColorSignalValues& current) const;
  int RowOf(double level) const;

  std::unique_ptr<TiTrendChart> chart_;
  TBitmap frame_;  // the line of the bars and the empty column, once drawn
  bool framed_ = false;
  TBarSet frameSet_ = TBarSet::Full;
  TRect column_;  // the inside of the "Actual" column's plot
};

}  // namespace tintoral
