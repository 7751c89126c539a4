#include "app/TvStandards.h"

#include "app/ColorSignals.h"
#include "runtime/NumberText.h"

namespace tintoral {
namespace {

long double RedDivisor(const TTvStandard& s) { return 2.0L * (1.0L - s.Kr); }
long double BlueDivisor(const TTvStandard& s) { return 2.0L * (1.0L - s.Kb); }

}  // namespace

const std::array<TTvStandard, kTvStandardCount>& TvStandards() {
  static const std::array<TTvStandard, kTvStandardCount> standards{{
      {TTvStandardId::Program, "Programa", 0.30L, 0.59L, 0.11L, 2, "V", "U"},
      {TTvStandardId::BT601, "BT.601", 0.299L, 0.587L, 0.114L, 3, "Cr", "Cb"},
      {TTvStandardId::BT709, "BT.709", 0.2126L, 0.7152L, 0.0722L, 4, "Cr", "Cb"},
      {TTvStandardId::BT2020, "BT.2020", 0.2627L, 0.6780L, 0.0593L, 4, "Cr", "Cb"},
  }};
  return standards;
}

TStandardSignals ComputeStandardSignals(const TTvStandard& standard, const TSliderColor& color) {
  if (standard.Id == TTvStandardId::Program) {
    const TColorSignalValues s = ComputeColorSignals(color.Red, color.Green, color.Blue);
    return {s.LumaShown, s.RMinusY, s.BMinusY, s.V, s.U};
  }
  const long double r = color.Red / 100.0L, g = color.Green / 100.0L, b = color.Blue / 100.0L;
  const long double y = standard.Kr * r + standard.Kg * g + standard.Kb * b;
  return {y, r - y, b - y, (r - y) / RedDivisor(standard), (b - y) / BlueDivisor(standard)};
}

std::string LumaFormulaText(const TTvStandard& s) {
  const int d = s.CoefficientDecimals;
  return FixedText(s.Kr, d) + "R + " + FixedText(s.Kg, d) + "G + " + FixedText(s.Kb, d) + "B";
}

std::string RedDifferenceFormulaText(const TTvStandard& s) {
  if (s.Id == TTvStandardId::Program) return "V = " + FixedText(ChromaV(1.0), 3) + " (R-Y)";
  return std::string(s.RedDifferenceName) + " = (R-Y) / " + FixedText(RedDivisor(s), s.CoefficientDecimals);
}

std::string BlueDifferenceFormulaText(const TTvStandard& s) {
  if (s.Id == TTvStandardId::Program) return "U = " + FixedText(ChromaU(1.0), 3) + " (B-Y)";
  return std::string(s.BlueDifferenceName) + " = (B-Y) / " + FixedText(BlueDivisor(s), s.CoefficientDecimals);
}

}  // namespace tintoral
