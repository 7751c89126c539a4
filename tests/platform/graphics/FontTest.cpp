#include <gtest/gtest.h>

#include <QFontInfo>
#include <set>
#include <string>
#include <vector>

#include "platform/graphics/Font.h"
#include "platform/graphics/FontResolver.h"
#include "platform/graphics/FontSubstitution.h"
#include "platform/graphics/Pen.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

TEST(FontTest, PointSizeAndPixelHeightConvertAt96Dpi) {
  TFont font;
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Size(), 8);
  const std::pair<int, int> pointsToHeight[] = {{8, -11},  {9, -12}, {10, -13}, {12, -16},
                                                {14, -19}, {7, -9},  {-12, 16}};
  for (auto [points, height] : pointsToHeight) {
    font.SetSize(points);
    EXPECT_EQ(font.Height(), height) << points << " pt";
  }
  // Heights in pixels back to points, rounding halves away from zero.
  const std::pair<int, int> heightToPoints[] = {{-11, 8}, {-10, 8}, {-13, 10}, {-16, 12}, {-19, 14}, {-1, 1}, {0, 0}};
  for (auto [height, points] : heightToPoints) {
    font.SetHeight(height);
    EXPECT_EQ(font.Size(), points) << height << " px";
  }
}

TEST(FontTest, PositiveHeightIsACellHeight) {
  TFont font;
  font.SetName("Arial");
  font.SetHeight(19);
  const ResolvedFont& resolved = ResolveFont(font);
  EXPECT_LE(resolved.CellHeight(), 19);
  EXPECT_GE(resolved.CellHeight(), 17);
  EXPECT_EQ(font.Size(), (resolved.EmPixels() * 72 + 48) / 96);

  TFont bigger;
  bigger.SetName("Arial");
  bigger.SetHeight(-(resolved.EmPixels() + 1));
  EXPECT_GT(ResolveFont(bigger).CellHeight(), 19) << "the largest em that fits the cell is chosen";
}

TEST(FontTest, SettersNotifyOnlyOnChange) {
  TFont font;
  int changes = 0;
  font.SetOnChange([&] { ++changes; });
  font.SetName("MS Sans Serif");
  font.SetHeight(-11);
  font.SetSize(8);  // also -11
  font.SetColor(clWindowText);
  font.SetStyle(0);
  font.SetCharset(DEFAULT_CHARSET);
  EXPECT_EQ(changes, 0);

  font.SetName("Arial");
  font.SetSize(10);
  font.SetHeight(-14);
  font.SetColor(clRed);
  font.SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsItalic));
  font.SetCharset(ANSI_CHARSET);
  EXPECT_EQ(changes, 6);
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(font.Height(), -14);
  EXPECT_EQ(font.Color(), clRed);
  EXPECT_EQ(font.Style(), FontStyleBit(fsBold) | FontStyleBit(fsItalic));
  EXPECT_EQ(font.Charset(), ANSI_CHARSET);
}

TEST(FontTest, AssignCopiesEverythingWithOneNotification) {
  TFont source;
  source.SetName("911 Porscha");
  source.SetHeight(-19);
  source.SetColor(clLime);
  source.SetStyle(FontStyleBit(fsBold));
  source.SetCharset(ANSI_CHARSET);
  int sourceChanges = 0;
  source.SetOnChange([&] { ++sourceChanges; });

  TFont target;
  int changes = 0;
  target.SetOnChange([&] { ++changes; });
  target.Assign(source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(sourceChanges, 0);
  EXPECT_EQ(target.Name(), "911 Porscha");
  EXPECT_EQ(target.Height(), -19);
  EXPECT_EQ(target.Color(), clLime);
  EXPECT_EQ(target.Style(), FontStyleBit(fsBold));
  EXPECT_EQ(target.Charset(), ANSI_CHARSET);

  TPen pen;
  EXPECT_THROW(target.Assign(pen), InvalidOperation);
  EXPECT_EQ(changes, 1);
}

TEST(FontSubstitutionTest, TableChoosesTheFirstInstalledCandidate) {
  const auto installed = [](std::set<std::string_view> families) {
    return [families](std::string_view family) { return families.contains(family); };
  };
  const auto debian = installed({"Liberation Sans", "Liberation Serif", "Liberation Mono", "DejaVu Sans",
                                 "DejaVu Sans Mono", "Nimbus Sans Narrow"});
  EXPECT_EQ(SubstituteFontFamily("MS Sans Serif", debian), "Liberation Sans");
  EXPECT_EQ(SubstituteFontFamily("ms sans serif", debian), "Liberation Sans");
  EXPECT_EQ(SubstituteFontFamily("Times New Roman", debian), "Liberation Serif");
  EXPECT_EQ(SubstituteFontFamily("Courier New", debian), "Liberation Mono");
  EXPECT_EQ(SubstituteFontFamily("Lucida Console", debian), "DejaVu Sans Mono");
  EXPECT_EQ(SubstituteFontFamily("Agency FB", debian), "Nimbus Sans Narrow");
  EXPECT_EQ(SubstituteFontFamily("Comic Sans MS", debian), "DejaVu Sans");
  EXPECT_EQ(SubstituteFontFamily("Comic Sans MS", installed({"Comic Neue", "DejaVu Sans"})), "Comic Neue");
  EXPECT_EQ(SubstituteFontFamily("Lucida Console", installed({})), std::string(kFallbackFontFamily));
  // Names outside the table: installed ones are kept, others fall back.
  EXPECT_EQ(SubstituteFontFamily("DejaVu Serif", installed({"DejaVu Serif"})), "DejaVu Serif");
  EXPECT_EQ(SubstituteFontFamily("Wingdings 9", debian), std::string(kFallbackFontFamily));
  EXPECT_EQ(SubstituteFontFamily("", debian), std::string(kFallbackFontFamily));
}

TEST(FontSubstitutionTest, EveryWindowsNameResolvesToAnInstalledFont) {
  for (const FontSubstitute& entry : FontSubstitutionTable()) {
    ASSERT_FALSE(entry.candidates.empty()) << entry.windowsName;
    TFont font;
    font.SetName(std::string(entry.windowsName));
    // Qt names a family that several foundries offer "Family [foundry]".
    const std::string drawnWith = QFontInfo(ResolveFont(font).QtFont()).family().toStdString();
    const std::string substitute = SubstituteFontFamily(std::string(entry.windowsName));
    EXPECT_EQ(drawnWith.substr(0, drawnWith.find(" [")), substitute) << entry.windowsName;
  }
}

TEST(FontResolverTest, MetricsFollowHeightAndStyle) {
  TFont font;
  font.SetName("MS Sans Serif");
  font.SetHeight(-11);
  const ResolvedFont& small = ResolveFont(font);
  EXPECT_EQ(small.EmPixels(), 11);
  EXPECT_EQ(small.CellHeight(), small.Ascent() + small.Descent());
  EXPECT_GE(small.CellHeight(), 12);
  EXPECT_LE(small.CellHeight(), 14);
  EXPECT_GT(small.AverageCharWidth(), 0);
  EXPECT_EQ(small.Advance('\n'), 0);
  EXPECT_EQ(small.TextWidth("Luminancia"), small.TextWidth("Lumin") + small.TextWidth("ancia"));
  EXPECT_EQ(&ResolveFont(font), &small) << "equal fonts share one cached resolution";

  font.SetStyle(FontStyleBit(fsBold));
  const ResolvedFont& bold = ResolveFont(font);
  EXPECT_NE(&bold, &small);
  EXPECT_GT(bold.TextWidth("Luminancia"), small.TextWidth("Luminancia"));

  font.SetStyle(0);
  font.SetHeight(-19);
  EXPECT_GT(ResolveFont(font).TextWidth("Luminancia"), small.TextWidth("Luminancia"));
  EXPECT_GT(ResolveFont(font).CellHeight(), small.CellHeight());

  font.SetHeight(-100000);  // absurd sizes are limited rather than exhausting memory
  EXPECT_LE(ResolveFont(font).EmPixels(), 1000);
}

// Bold must read as bold at every size: the hinted bold face keeps one-pixel
// stems at small sizes, where glyphs are overstruck instead.
TEST(FontResolverTest, BoldStemsAreWiderThanRegularOnes) {
  for (int height : {-11, -13, -16, -21}) {
    TFont font;
    font.SetName("MS Sans Serif");
    font.SetHeight(height);
    const int regularStem = ResolveFont(font).Glyph('l').width;
    font.SetStyle(FontStyleBit(fsBold));
    const ResolvedFont& bold = ResolveFont(font);
    EXPECT_GT(bold.Glyph('l').width, regularStem) << height << " px";
    EXPECT_LE(bold.Glyph('l').left + bold.Glyph('l').width, bold.Advance('l') + 1) << height << " px";
  }
}

// The covered runs that painting walks hold exactly the covered pixels of
// the mask, overstruck bold included, and "full" only where all are 255.
TEST(FontResolverTest, CoverageSpansHoldExactlyTheCoveredPixels) {
  for (TFontStyles style : {TFontStyles{0}, FontStyleBit(fsBold)}) {
    TFont font;
    font.SetName("MS Sans Serif");
    font.SetHeight(-19);
    font.SetStyle(style);
    for (unsigned char ch : std::string("Ag%,W\xE9")) {
      const GlyphMask& glyph = ResolveFont(font).Glyph(ch);
      std::vector<std::uint8_t> rebuilt(glyph.coverage.size(), 0);
      for (const CoverageSpan& span : glyph.spans) {
        bool full = true;
        for (int x = span.x0; x < span.x1; ++x) {
          const std::size_t at = static_cast<std::size_t>(span.y) * glyph.width + x;
          rebuilt[at] = glyph.coverage[at];
          full = full && glyph.coverage[at] == 255;
        }
        EXPECT_EQ(span.full, full) << ch;
      }
      EXPECT_FALSE(glyph.spans.empty()) << ch;
      EXPECT_EQ(rebuilt, glyph.coverage) << ch;
    }
  }
}

}  // namespace
}  // namespace tintoral
