#pragma once
// The same R, G, B under the program's own arithmetic and under three
// television standards, side by side: the luminance Y, the colour
// differences R−Y and B−Y and their scaled forms: V and U for the program
// (the analogue one), Cr and Cb for BT.601, BT.709 and BT.2020 (digital).
//
// The program's column is ComputeColorSignals itself, so it shows exactly
// what the main window shows. The others take Y = Kr R + Kg G + Kb B with
// R, G, B as fractions (per cent / 100), Cb = (B−Y) / (2 (1 − Kb)) and
// Cr = (R−Y) / (2 (1 − Kr)), in extended precision.
#include <array>
#include <string>
#include <string_view>

#include "app/ColorEntry.h"

namespace tintoral {

enum class TTvStandardId { Program, BT601, BT709, BT2020 };
inline constexpr int kTvStandardCount = 4;

struct TTvStandard {
  TTvStandardId Id;
  std::string_view Name;                // "BT.709"
  long double Kr, Kg, Kb;               // luma weights
  int CoefficientDecimals;              // as the coefficients are printed
  std::string_view RedDifferenceName;   // "V" or "Cr"
  std::string_view BlueDifferenceName;  // "U" or "Cb"
};

const std::array<TTvStandard, kTvStandardCount>& TvStandards();

// The figures of one colour under one standard; differences in units of
// full scale (−1 … 1), like the main window's readouts. Extended precision,
// so that a value exactly halfway between two shown ones (0.6645) is shown
// rounded away from zero, as the exact value would be; the program's column
// holds the main window's doubles.
struct TStandardSignals {
  long double Y = 0;
  long double RMinusY = 0;
  long double BMinusY = 0;
  long double RedDifference = 0;   // V or Cr
  long double BlueDifference = 0;  // U or Cb
};

TStandardSignals ComputeStandardSignals(const TTvStandard& standard, const TSliderColor& color);

// The printed coefficients, with the locale's decimal separator: the luma
// weights "0,2126R + 0,7152G + 0,0722B" (of Y), "Cr = (R-Y) / 1,5748",
// "V = 0,877 (R-Y)". Windows-1252.
std::string LumaFormulaText(const TTvStandard& standard);
std::string RedDifferenceFormulaText(const TTvStandard& standard);
std::string BlueDifferenceFormulaText(const TTvStandard& standard);

}  // namespace tintoral
