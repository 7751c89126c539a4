#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FontResolver.h"
#include "tests/platform/graphics/TextPixels.h"

namespace tintoral {
namespace {

using testing::Inside;
using testing::RegionNot;
using testing::RegionOf;
namespace F = DrawTextFlag;

constexpr TColor kPaper = clWhite;
constexpr TColor kCell = clYellow;

class DrawTextTest : public testing::TextCanvasTest {
 protected:
  DrawTextTest() : TextCanvasTest(240, 120) {}

  // Draws with a solid yellow brush, so each line's cell shows where it went.
  int DrawWithCells(std::string text, TRect rect, std::uint16_t flags) {
    canvas.Brush().SetColor(kCell);
    return canvas.DrawText(text, rect, flags);
  }
  int Draw(std::string text, TRect rect, std::uint16_t flags) { return canvas.DrawText(text, rect, flags); }
  // Paints the whole bitmap white again, keeping the brush as it was.
  void ClearPaper() {
    TBrush saved;
    saved.Assign(canvas.Brush());
    canvas.Brush().SetColor(kPaper);
    canvas.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
    canvas.Brush().Assign(saved);
  }
  // Runs DrawText with Calculate and returns the adjusted rectangle.
  TRect Measure(std::string text, TRect rect, std::uint16_t flags) {
    canvas.DrawText(text, rect, flags | F::Calculate);
    return rect;
  }
  std::string Shortened(std::string text, int width, std::uint16_t flags) {
    TRect rect{0, 0, width, 40};
    canvas.DrawText(text, rect, flags | F::ModifyString);
    return text;
  }
  int Cell() { return canvas.TextHeight("x"); }
  int Width(const std::string& text) { return canvas.TextWidth(text); }
  // Rows of the bitmap in which some pixel has the colour.
  int RowsWith(TColor color) {
    int rows = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
      bool found = false;
      for (int x = 0; x < bitmap.Width() && !found; ++x) found = bitmap.Pixel(x, y) == color;
      rows += found ? 1 : 0;
    }
    return rows;
  }
};

TEST_F(DrawTextTest, NoFlagsDrawsLeftTopWithoutWrapOrPrefix) {
  const int height = DrawWithCells("R&D uno dos tres", {10, 10, 60, 100}, 0);
  EXPECT_EQ(height, Cell());
  const auto cell = RegionOf(bitmap, kCell);
  EXPECT_EQ(cell.bounds.Left, 10);
  EXPECT_EQ(cell.bounds.Top, 10);
  EXPECT_EQ(cell.bounds.Right, 60) << "one unwrapped line, clipped at the right edge";
  EXPECT_EQ(cell.bounds.Bottom, 10 + Cell());
  EXPECT_EQ(Measure("R&D", {0, 0, 100, 100}, 0), (TRect{0, 0, Width("R&D"), Cell()})) << "'&' is shown as it is";
}

TEST_F(DrawTextTest, HorizontalAlignment) {
  const TRect rect{20, 5, 220, 40};
  const int width = Width("HIH");
  DrawWithCells("HIH", rect, F::Center);
  auto cell = RegionOf(bitmap, kCell);
  EXPECT_EQ(cell.bounds.Left, 20 + (200 - width) / 2);
  EXPECT_EQ(cell.bounds.Right, cell.bounds.Left + width);
  const auto ink = RegionOf(bitmap, clBlack);
  EXPECT_NEAR(ink.bounds.Left - rect.Left, rect.Right - ink.bounds.Right, 2) << "ink centred";

  ClearPaper();
  DrawWithCells("HIH", rect, F::Right);
  cell = RegionOf(bitmap, kCell);
  EXPECT_EQ(cell.bounds.Right, 220);
  EXPECT_EQ(cell.bounds.Left, 220 - width);
  EXPECT_GE(RegionOf(bitmap, clBlack).bounds.Right, 218) << "ink reaches the right edge";
}

TEST_F(DrawTextTest, VerticalPlacementOfASingleLine) {
  const TRect rect{0, 10, 200, 70};
  const int cell = Cell();
  int result = DrawWithCells("Centro", rect, F::SingleLine | F::VerticalCenter);
  const int centredTop = 10 + (60 - cell) / 2;
  EXPECT_EQ(RegionOf(bitmap, kCell).bounds.Top, centredTop);
  EXPECT_EQ(result, centredTop - 10 + cell) << "offset from the top to the text's bottom";

  ClearPaper();
  result = DrawWithCells("Abajo", rect, F::SingleLine | F::Bottom);
  EXPECT_EQ(RegionOf(bitmap, kCell).bounds.Bottom, 70);
  EXPECT_EQ(result, 60);

  ClearPaper();
  result = DrawWithCells("Arriba", rect, F::VerticalCenter | F::Bottom);
  EXPECT_EQ(RegionOf(bitmap, kCell).bounds.Top, 10) << "vertical placement needs a single line";
  EXPECT_EQ(result, cell);
}

TEST_F(DrawTextTest, LineBreaksAndSingleLine) {
  EXPECT_EQ(Measure("a\r\nbb\nccc\rd", {0, 0, 200, 0}, 0).Bottom, 4 * Cell());
  EXPECT_EQ(Measure("a\r\nbb\nccc\rd", {0, 0, 200, 0}, 0).Right, Width("ccc"));
  EXPECT_EQ(Measure("a\n\nb\n", {0, 0, 200, 0}, 0).Bottom, 3 * Cell()) << "empty lines count, a final break does not";
  EXPECT_EQ(Measure("", {0, 0, 200, 0}, 0), (TRect{0, 0, 0, 0}));
  const TRect single = Measure("a\r\nbb", {0, 0, 200, 0}, F::SingleLine);
  EXPECT_EQ(single.Bottom, Cell());
  EXPECT_EQ(single.Right, Width("abb")) << "CR and LF take no room on a single line";

  DrawWithCells("uno\ndos\ntres", {0, 0, 200, 120}, 0);
  EXPECT_EQ(RowsWith(kCell), 3 * Cell());
}

TEST_F(DrawTextTest, WordBreakWrapsAtBlanks) {
  const std::string text = "uno dos tres cuatro";
  const int width = Width("uno dos") + 2;
  const TRect wrapped = Measure(text, {5, 5, 5 + width, 5}, F::WordBreak);
  EXPECT_EQ(wrapped.Right, 5 + width) << "the width is kept";
  EXPECT_EQ(wrapped.Bottom, 5 + 3 * Cell()) << "uno dos / tres / cuatro";

  const int height = DrawWithCells(text, {5, 5, 5 + width, 115}, F::WordBreak);
  EXPECT_EQ(height, 3 * Cell());
  EXPECT_EQ(RowsWith(kCell), 3 * Cell());
  EXPECT_TRUE(Inside(RegionNot(bitmap, kPaper).bounds, {5, 5, 5 + width, 5 + 3 * Cell()}));
  // Blanks at a break are dropped, so the second line starts with "tres".
  EXPECT_EQ(RegionOf(bitmap, kCell).bounds.Left, 5);

  EXPECT_EQ(Measure(text, {0, 0, 500, 0}, F::WordBreak).Bottom, Cell()) << "wide enough for one line";
  EXPECT_EQ(Measure(text, {0, 0, width, 0}, F::WordBreak | F::SingleLine).Bottom, Cell());
}

TEST_F(DrawTextTest, WordLongerThanTheLineIsBrokenAtTheEdge) {
  const std::string word = "Supercalifragilistico";
  const int width = Width("Supercal");
  const TRect rect = Measure(word, {0, 0, width, 0}, F::WordBreak);
  EXPECT_GE(rect.Bottom, 3 * Cell());
  DrawWithCells(word, {0, 0, width, 120}, F::WordBreak | F::NoClip);
  EXPECT_LE(RegionOf(bitmap, kCell).bounds.Right, width) << "every piece fits the line";
  // A short word before it goes on a line of its own instead of being broken.
  EXPECT_EQ(Measure("ab Supercal", {0, 0, width, 0}, F::WordBreak).Bottom, 2 * Cell());
  // Even a rectangle narrower than one character makes progress.
  EXPECT_EQ(Measure("abc", {0, 0, 0, 0}, F::WordBreak).Bottom, 3 * Cell());
}

TEST_F(DrawTextTest, PrefixUnderlinesAndEscapes) {
  EXPECT_EQ(Measure("&Guardar", {0, 0, 200, 0}, F::Prefix).Right, Width("Guardar"));
  EXPECT_EQ(Measure("R&&D", {0, 0, 200, 0}, F::Prefix).Right, Width("R&D"));
  EXPECT_EQ(Measure("fin&", {0, 0, 200, 0}, F::Prefix).Right, Width("fin"));

  const auto underlineRow = [&] {
    // A row with a black run at least as wide as the "m" glyph's advance less 2.
    for (int y = 0; y < bitmap.Height(); ++y) {
      int run = 0, longest = 0;
      for (int x = 0; x < bitmap.Width(); ++x) {
        run = bitmap.Pixel(x, y) == clBlack ? run + 1 : 0;
        longest = std::max(longest, run);
      }
      if (longest >= Width("m") - 1) return y;
    }
    return -1;
  };
  Draw("a&mb", {10, 10, 200, 40}, F::Prefix);
  const int row = underlineRow();
  ASSERT_GT(row, 10);
  EXPECT_LT(row, 10 + Cell());
  int underlineLeft = -1, underlineRight = -1;
  for (int x = 0; x < bitmap.Width(); ++x)
    if (bitmap.Pixel(x, row) == clBlack) {
      if (underlineLeft < 0) underlineLeft = x;
      underlineRight = x + 1;
    }
  EXPECT_EQ(underlineLeft, 10 + Width("a"));
  EXPECT_EQ(underlineRight, 10 + Width("am")) << "only the marked character is underlined";

  ClearPaper();
  Draw("a&mb", {10, 10, 200, 40}, 0);
  EXPECT_EQ(underlineRow(), -1) << "no underline without the prefix flag";
}

TEST_F(DrawTextTest, ExpandTabsUsesStopsOfEightAverageCharacters) {
  const int stop = 8 * ResolveFont(canvas.Font()).AverageCharWidth();
  EXPECT_EQ(Measure("a\tb", {0, 0, 500, 0}, F::ExpandTabs).Right, stop + Width("b"));
  EXPECT_EQ(Measure("a\t\tb", {0, 0, 500, 0}, F::ExpandTabs).Right, 2 * stop + Width("b"));
  EXPECT_EQ(Measure("a\tb", {0, 0, 500, 0}, 0).Right, Width("ab")) << "an unexpanded tab takes no room";
}

TEST_F(DrawTextTest, ClipsToTheRectangleUnlessNoClip) {
  const TRect rect{20, 20, 60, 40};
  const std::string text = "Luminancia del color";
  canvas.Brush().SetColor(kCell);
  std::string copy = text;
  TRect r = rect;
  canvas.DrawText(copy, r, 0);
  EXPECT_TRUE(Inside(RegionNot(bitmap, kPaper).bounds, rect));
  EXPECT_EQ(RegionOf(bitmap, kCell).bounds.Right, 60);

  ClearPaper();
  canvas.DrawText(copy, r, F::NoClip);
  EXPECT_EQ(RegionOf(bitmap, kCell).bounds.Right, 20 + Width(text));

  ClearPaper();
  r = {-50, -5, 400, 200};
  canvas.DrawText(copy, r, F::NoClip | F::WordBreak);
  EXPECT_EQ(RegionOf(bitmap, kCell).bounds.Left, 0) << "clipped to the bitmap";
}

TEST_F(DrawTextTest, CalculateDrawsNothing) {
  std::string text = "uno dos";
  TRect rect{3, 4, 100, 100};
  const int height = canvas.DrawText(text, rect, F::Calculate | F::Center | F::SingleLine | F::VerticalCenter);
  EXPECT_EQ(height, Cell());
  EXPECT_EQ(rect, (TRect{3, 4, 3 + Width("uno dos"), 4 + Cell()}));
  EXPECT_EQ(RegionNot(bitmap, kPaper).count, 0);
}

TEST_F(DrawTextTest, EllipsesShortenToTheRectangle) {
  const int dots = Width("...");
  EXPECT_EQ(Shortened("Luminancia del color", Width("Lumin") + dots, F::EndEllipsis), "Lumin...");
  EXPECT_EQ(Shortened("Luminancia", Width("Luminancia"), F::EndEllipsis), "Luminancia") << "fits: unchanged";
  EXPECT_EQ(Shortened("C:\\Archivos\\Tintoral\\programa.exe", Width("C:\\Ar") + dots + Width("\\programa.exe"),
                      F::PathEllipsis),
            "C:\\Ar...\\programa.exe");
  EXPECT_EQ(
      Shortened("/usr/share/tintoral/banner.txt", Width("/usr/sh") + dots + Width("/banner.txt"), F::PathEllipsis),
      "/usr/sh.../banner.txt");
  EXPECT_EQ(Shortened("uno dos tres cuatro", Width("uno dos t") + dots, F::WordEllipsis), "uno dos...");
  EXPECT_EQ(Shortened("Supercalifragilistico", Width("Super") + dots, F::WordEllipsis), "Super...")
      << "a first word that does not fit is cut like the end ellipsis";
  EXPECT_EQ(Shortened("&Archivo muy largo", Width("Arch") + dots, F::EndEllipsis | F::Prefix), "&Arch...");
  EXPECT_EQ(Shortened("corto\r\nLuminancia del color", Width("Lumin") + dots, F::EndEllipsis), "corto\r\nLumin...");

  std::string unchanged = "Luminancia del color";
  TRect rect{0, 0, Width("Lumin") + dots, 20};
  canvas.Brush().SetColor(kCell);
  canvas.DrawText(unchanged, rect, F::EndEllipsis);
  EXPECT_EQ(unchanged, "Luminancia del color") << "written back only with ModifyString";
  EXPECT_EQ(RegionOf(bitmap, kCell).bounds, (TRect{0, 0, Width("Lumin..."), Cell()}));
}

}  // namespace
}  // namespace tintoral
