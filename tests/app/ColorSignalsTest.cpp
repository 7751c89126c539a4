// The colour-signal arithmetic: the worked colours in the point and the comma
// locale, the places where 80-bit precision decides a level, and invariants
// over a fine grid of positions.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>

#include "app/ColorSignals.h"
#include "runtime/NumberText.h"
#include "system/Locale.h"

namespace tintoral {
namespace {

// The locale the set-up script generates, so that the comma path runs everywhere.
constexpr char kSpanishLocale[] = "es_ES.UTF-8";

std::string WithSeparator(std::string text, char separator) {
  for (char& c : text)
    if (c == '.') c = separator;
  return text;
}

struct WorkedColor {
  double red, green, blue;
  TColor swatch;
  int grey8;
  const char* angle;  // with "."
  const char* modulus;
  int dx, dy;
};

// Every whole colour worked out by hand, including the vector's end points.
const WorkedColor kWorkedColors[] = {
    {0, 0, 0, 0x000000, 0, "0", "0", 0, 0},
    {100, 100, 100, 0xFFFFFF, 255, "0", "0", 0, 0},
    {100, 0, 0, 0x0000FF, 77, "103.5", "0.631", -22, 92},
    {0, 100, 0, 0x00FF00, 150, "240.7", "0.593", -44, -78},
    {0, 0, 100, 0xFF0000, 28, "347.6", "0.448", 66, -14},
    {100, 0, 100, 0xFF00FF, 105, "60.7", "0.593", 44, 78},
    {0, 100, 100, 0xFFFF00, 179, "283.5", "0.631", 22, -92},
    {100, 100, 0, 0x00FFFF, 227, "167.6", "0.448", -66, 14},
    {10, 20, 30, 0x4D331A, 46, "309.5", "0.092", 9, -11},
    // U = 0 although V is not: no angle, and the vector points straight down.
    {0, 89, 59, 0x96E300, 150, "0", "0", 0, -78},
    // Along −U (V = 0): the angle is 180.
    {59, 70, 0, 0x00B396, 150, "180.0", "0.290", -44, 0},
};

class ColorSignalsLocales : public ::testing::TestWithParam<char> {};

TEST_P(ColorSignalsLocales, WorkedColorsGiveTheirLevelsTextsAndOffsets) {
  const ScopedDecimalSeparator separator(GetParam());
  for (const WorkedColor& c : kWorkedColors) {
    SCOPED_TRACE(::testing::Message() << c.red << ", " << c.green << ", " << c.blue);
    const TColorSignalValues s = ComputeColorSignals(c.red, c.green, c.blue);
    EXPECT_EQ(s.SwatchColor, c.swatch);
    EXPECT_EQ(RGB(s.Red8, s.Green8, s.Blue8), c.swatch);
    EXPECT_EQ(s.Grey8, c.grey8);
    EXPECT_EQ(s.GreySwatchColor, c.grey8 * 0x010101);
    EXPECT_EQ(s.AngleText, WithSeparator(c.angle, GetParam()));
    EXPECT_EQ(s.ModulusText, WithSeparator(c.modulus, GetParam()));
    EXPECT_EQ(s.VectorDX, c.dx);
    EXPECT_EQ(s.VectorDY, c.dy);
  }
}

// The comma comes from the Spanish locale itself, as the program's users get it.
std::optional<char> SpanishSeparator() { return DecimalSeparatorOfLocale(kSpanishLocale); }

INSTANTIATE_TEST_SUITE_P(PointAndComma, ColorSignalsLocales, ::testing::Values('.', SpanishSeparator().value_or('?')),
                         [](const auto& info) { return info.param == '.' ? "Point" : "SpanishComma"; });

TEST(ColorSignals, SpanishLocaleIsInstalledAndUsesTheComma) {
  EXPECT_EQ(SpanishSeparator(), ',') << kSpanishLocale << " is missing: run scripts/setup.sh";
}

TEST(ColorSignals, SignalValuesOfTheWorkedColors) {
  struct Signals {
    double red, green, blue;
    double luma, lumaShown, rMinusY, v, bMinusY, u;
  };
  const Signals cases[] = {
      {0, 0, 0, 0, 0, 0, 0, 0, 0},
      {100, 100, 100, 100, 1, 0, 0, 0, 0},
      {100, 0, 0, 30, 0.3, 0.7, 0.6139, -0.3, -0.1476},
      {100, 0, 100, 41, 0.41, 0.59, 0.51743, 0.59, 0.29028},
      {10, 20, 30, 18.1, 0.181, -0.081, -0.071037, 0.119, 0.058548},
      {0, 89, 59, 59, 0.59, -0.59, -0.51743, 0, 0},
  };
  for (const Signals& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.red << ", " << c.green << ", " << c.blue);
    const TColorSignalValues s = ComputeColorSignals(c.red, c.green, c.blue);
    EXPECT_DOUBLE_EQ(s.Luma, c.luma);
    EXPECT_DOUBLE_EQ(s.LumaShown, c.lumaShown);
    EXPECT_DOUBLE_EQ(s.RMinusY, c.rMinusY);
    EXPECT_DOUBLE_EQ(s.V, c.v);
    EXPECT_DOUBLE_EQ(s.BMinusY, c.bMinusY);
    EXPECT_DOUBLE_EQ(s.U, c.u);
  }
}

// Equal whole positions are a grey: Y is exactly the position, and the
// colour differences are exactly zero.
TEST(ColorSignals, WholeGreysHaveExactLumaAndNoChroma) {
  for (int p = 0; p <= 100; ++p) {
    const TColorSignalValues s = ComputeColorSignals(p, p, p);
    EXPECT_EQ(s.Luma, p);
    EXPECT_EQ(s.U, 0.0) << p;
    EXPECT_EQ(s.V, 0.0) << p;
    EXPECT_EQ(s.AngleText, "0");
    EXPECT_EQ(s.ModulusText, "0");
  }
}

// Halves of a level are rounded away from zero, which needs the products in
// extended precision: 50 × 2.55 is 127.49999999999999 in double.
TEST(ColorSignals, ExtendedPrecisionDecidesTheHalves) {
  const struct {
    double position;
    int level;
  } cases[] = {{10, 26}, {30, 77}, {50, 128}, {70, 179}, {90, 230}, {37.5, 96}};
  for (const auto& c : cases) {
    const TColorSignalValues s = ComputeColorSignals(c.position, c.position, c.position);
    EXPECT_EQ(s.Red8, c.level) << c.position;
    EXPECT_EQ(s.Green8, c.level) << c.position;
    EXPECT_EQ(s.Blue8, c.level) << c.position;
    EXPECT_EQ(s.Grey8, c.level) << c.position;
  }
  EXPECT_EQ(RoundHalfAway(37.5L), 38);  // what the red slider's own readout shows
  // The grey comes from Y kept extended, just below 10 here, while the
  // luminance shown is Y rounded to double, exactly 10.
  const TColorSignalValues justBelow = ComputeColorSignals(1.4, 3, 71);
  EXPECT_EQ(justBelow.Luma, 10.0);
  EXPECT_EQ(justBelow.Grey8, 25);
}

// Positions every 2.5 per cent in all three channels. Texts go through the
// comma so that their round trip uses the locale's separator.
TEST(ColorSignals, InvariantsOverAFineGrid) {
  const ScopedDecimalSeparator comma(',');
  const auto nearLevel = [](int level, long double percent) { return std::fabs(level - percent * 2.55L) <= 0.5L; };
  for (int r = 0; r <= 40; ++r)
    for (int g = 0; g <= 40; ++g)
      for (int b = 0; b <= 40; ++b) {
        const double red = r * 2.5, green = g * 2.5, blue = b * 2.5;
        const TColorSignalValues s = ComputeColorSignals(red, green, blue);
        const std::string where = std::to_string(red) + ", " + std::to_string(green) + ", " + std::to_string(blue);
        ASSERT_TRUE(nearLevel(s.Red8, red) && nearLevel(s.Green8, green) && nearLevel(s.Blue8, blue)) << where;
        ASSERT_TRUE(nearLevel(s.Grey8, s.Luma)) << where;
        ASSERT_LT(s.VectorDX * s.VectorDX + s.VectorDY * s.VectorDY, 100 * 100) << where;  // inside the circle
        ASSERT_LE(std::fabs(s.VectorDX - s.U * 150), 0.5) << where;
        ASSERT_LE(std::fabs(s.VectorDY - s.V * 150), 0.5) << where;
        if (s.U == 0) {
          ASSERT_EQ(s.AngleText + s.ModulusText, "00") << where;
          continue;
        }
        double angle = std::atan2(s.V, s.U) * 180 / std::numbers::pi;
        if (angle < 0) angle += 360;
        ASSERT_EQ(s.AngleText.find(','), s.AngleText.size() - 2) << where << ": " << s.AngleText;
        ASSERT_EQ(s.ModulusText.find(','), s.ModulusText.size() - 4) << where << ": " << s.ModulusText;
        ASSERT_NEAR(TextToFloat(s.AngleText), angle, 0.05 + 1e-9) << where;
        ASSERT_NEAR(TextToFloat(s.ModulusText), std::hypot(s.U, s.V), 0.0005 + 1e-12) << where;
      }
}

}  // namespace
}  // namespace tintoral
