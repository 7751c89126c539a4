#pragma once
// The colour-signal arithmetic of the main window: from the red, green and
// blue slider positions (percent, 0 … 100) to the 8-bit swatch colours, the
// luminance Y, the colour differences R−Y and B−Y, the chrominance V and U,
// and the chrominance vector's texts and end-point offsets.
//
// Every product, sum and quotient is evaluated in 80-bit extended precision
// (long double, constants with the L suffix); a value is rounded to double
// only where a field below is a double. Texts use the locale's decimal
// separator (runtime FixedText). The functions read nothing else and change
// nothing.
//
// The window applies the result in two steps, because V and U are taken from
// the values read back from the R−Y and B−Y readouts, and the vector from
// those read back from the V and U readouts:
//
//   s = ComputeColorSignals(red, green, blue)
//   readouts: Y ← s.LumaShown, R−Y ← s.RMinusY, V ← ChromaV(R−Y read back),
//             B−Y ← s.BMinusY, U ← ChromaU(B−Y read back)
//   diagram:  ComputeChromaVector(U read back, V read back)
//
// An analog readout stores the double it is given (it caps only values above
// 10^15), so every read-back equals what was written and the window's values
// equal the record's V, U, texts and offsets.
#include <cstdint>
#include <string>

#include "platform/graphics/Color.h"

namespace tintoral {

// The chrominance vector (U across, V up) as the diagram shows it.
struct TChromaVector {
  std::string AngleText;    // degrees, 0.0 … 360.0, one decimal; "0" when U is 0
  std::string ModulusText;  // length, three decimals; "0" when U is 0
  int VectorDX = 0;         // RoundHalfAway(U × 150), pixels to the right
  int VectorDY = 0;         // RoundHalfAway(V × 150), pixels upward
};

struct TColorSignalValues {
  std::uint8_t Red8 = 0;  // RoundHalfAway(position × 2.55), low byte
  std::uint8_t Green8 = 0;
  std::uint8_t Blue8 = 0;
  TColor SwatchColor = clBlack;  // the three levels, red in the low byte
  double Luma = 0;               // Y = 0.3 R + 0.59 G + 0.11 B, percent
  std::uint8_t Grey8 = 0;        // from Y kept in extended precision
  TColor GreySwatchColor = clBlack;
  double LumaShown = 0;  // Y / 100
  double RMinusY = 0;    // (R − Y) / 100
  double V = 0;          // ChromaV(RMinusY)
  double BMinusY = 0;    // (B − Y) / 100
  double U = 0;          // ChromaU(BMinusY)
  std::string AngleText;
  std::string ModulusText;
  int VectorDX = 0;
  int VectorDY = 0;
};

TColorSignalValues ComputeColorSignals(double red, double green, double blue);

// V = 0.877 × (R−Y) and U = 0.492 × (B−Y), rounded to double.
double ChromaV(double rMinusY);
double ChromaU(double bMinusY);
// The chrominance vector's length √(U² + V²), as the diagram prints it.
double ChromaModulus(double u, double v);

// The vector's texts and offsets. With U = 0 there is no angle: both texts
// are "0", whatever V is. A vector along −U (U < 0, V = 0) has the angle 180.
TChromaVector ComputeChromaVector(double u, double v);

}  // namespace tintoral
