// Typed values: per cent with the locale's separator, 0 … 255 levels and
// #RRGGBB; anything else, or outside the range, refused with a message and
// never clamped.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/ColorEntry.h"
#include "app/ColorSignals.h"

namespace tintoral {
namespace {

TEST(ColorEntryTest, PercentTakesTheLocalesSeparatorAndRefusesWhatIsOutOfRange) {
  const struct {
    const char* text;
    char separator;
    std::optional<double> value;
    const char* problemPart;
  } cases[] = {
      {"50", ',', 50.0, ""},
      {" 37,5 % ", ',', 37.5, ""},
      {"37.5", '.', 37.5, ""},
      {"100", '.', 100.0, ""},
      {"0", '.', 0.0, ""},
      {"37.5", ',', std::nullopt, "no es un porcentaje"},  // the other locale's separator
      {"100,01", ',', std::nullopt, "fuera de 0 a 100"},
      {"-1", '.', std::nullopt, "fuera de 0 a 100"},
      {"abc", '.', std::nullopt, "no es un porcentaje"},
      {"", '.', std::nullopt, "no es un porcentaje"},
      {"1e2", '.', std::nullopt, "no es un porcentaje"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const TEntry<double> entry = ParsePercentEntry(c.text, c.separator, "Rojo");
    EXPECT_EQ(entry.Value, c.value);
    if (c.value) {
      EXPECT_EQ(entry.Problem, "");
    } else {
      EXPECT_NE(entry.Problem.find(c.problemPart), std::string::npos) << entry.Problem;
      EXPECT_EQ(entry.Problem.rfind("Rojo: ", 0), 0u) << entry.Problem;
    }
  }
}

// A level gives back exactly that level on the swatch.
TEST(ColorEntryTest, LevelsGiveTheirOwnLevelBackAndRefuseFractionsAndRange) {
  for (int level = 0; level <= 255; ++level) {
    const TEntry<double> entry = ParseLevelEntry(std::to_string(level), "Verde");
    ASSERT_TRUE(entry.Value) << level;
    EXPECT_EQ(ComputeColorSignals(0, *entry.Value, 0).Green8, level);
  }
  EXPECT_EQ(*ParseLevelEntry("255", "Verde").Value, 100.0);
  for (const char* refused : {"256", "-1", "12.5", "12,5", "x"})
    EXPECT_FALSE(ParseLevelEntry(refused, "Verde").Value) << refused;
  EXPECT_NE(ParseLevelEntry("256", "Verde").Problem.find("fuera de 0 a 255"), std::string::npos);
}

TEST(ColorEntryTest, HexColoursReadBothCasesWithOrWithoutTheHashAndWriteUpperCase) {
  const TEntry<TSliderColor> entry = ParseHexEntry("#ff8000");
  ASSERT_TRUE(entry.Value);
  const TColorSignalValues s = ComputeColorSignals(entry.Value->Red, entry.Value->Green, entry.Value->Blue);
  EXPECT_EQ(ColorHexText(s.SwatchColor), "#FF8000");
  EXPECT_TRUE(ParseHexEntry("00FFaa").Value);
  for (const char* refused : {"#FF800", "#FF80000", "#GG0000", "", "#"}) {
    const TEntry<TSliderColor> bad = ParseHexEntry(refused);
    EXPECT_FALSE(bad.Value) << refused;
    EXPECT_NE(bad.Problem.find("no es un color #RRGGBB"), std::string::npos) << bad.Problem;
  }
}

}  // namespace
}  // namespace tintoral
