#include "app/ColorSignals.h"

#include <cmath>
#include <numbers>

#include "runtime/NumberText.h"

namespace tintoral {
namespace {

using Extended = long double;

// position × 2.55 rounded half away from zero; the low byte, as a level.
std::uint8_t Level8(Extended percent) { return static_cast<std::uint8_t>(RoundHalfAway(percent * 2.55L)); }

// Y = (0.3 R + 0.59 G) + 0.11 B in extended precision, summed in that order.
Extended ExtendedLuma(double red, double green, double blue) {
  const Extended p = red * 0.3L;
  const Extended q = green * 0.59L + p;
  return blue * 0.11L + q;
}

// atan(V / U) in degrees, turned into the quadrant of (U, V): 0 … 360.
double AngleDegrees(double u, double v) {
  const double a =
      static_cast<double>(std::atan(static_cast<Extended>(v) / u) * (180.0L / std::numbers::pi_v<Extended>));
  if (u < 0) return static_cast<double>(a + 180.0L);  // V < 0, V > 0, and along −U
  if (v < 0) return static_cast<double>(a + 360.0L);
  return a;
}

int PixelOffset(double component) { return static_cast<int>(RoundHalfAway(component * 150.0L)); }

}  // namespace

double ChromaV(double rMinusY) { return static_cast<double>(0.877L * rMinusY); }
double ChromaU(double bMinusY) { return static_cast<double>(0.492L * bMinusY); }

double ChromaModulus(double u, double v) {
  const Extended au = std::fabs(static_cast<Extended>(u));
  const Extended av = std::fabs(static_cast<Extended>(v));
  return static_cast<double>(std::sqrt(au * au + av * av));
}

TChromaVector ComputeChromaVector(double u, double v) {
  TChromaVector vector;
  if (u == 0) {
    vector.AngleText = "0";
    vector.ModulusText = "0";
  } else {
    vector.AngleText = FixedText(AngleDegrees(u, v), 1);
    vector.ModulusText = FixedText(ChromaModulus(u, v), 3);
  }
  vector.VectorDY = PixelOffset(v);
  vector.VectorDX = PixelOffset(u);
  return vector;
}

TColorSignalValues ComputeColorSignals(double red, double green, double blue) {
  TColorSignalValues s;
  s.Red8 = Level8(red);
  s.Green8 = Level8(green);
  s.Blue8 = Level8(blue);
  s.SwatchColor = RGB(s.Red8, s.Green8, s.Blue8);

  const Extended luma = ExtendedLuma(red, green, blue);
  s.Luma = static_cast<double>(luma);
  s.Grey8 = Level8(luma);
  s.GreySwatchColor = RGB(s.Grey8, s.Grey8, s.Grey8);

  s.LumaShown = static_cast<double>(s.Luma / 100.0L);
  s.RMinusY = static_cast<double>((static_cast<Extended>(red) - s.Luma) / 100.0L);
  s.V = ChromaV(s.RMinusY);
  s.BMinusY = static_cast<double>((static_cast<Extended>(blue) - s.Luma) / 100.0L);
  s.U = ChromaU(s.BMinusY);

  TChromaVector vector = ComputeChromaVector(s.U, s.V);
  s.AngleText = std::move(vector.AngleText);
  s.ModulusText = std::move(vector.ModulusText);
  s.VectorDX = vector.VectorDX;
  s.VectorDY = vector.VectorDY;
  return s;
}

}  // namespace tintoral
