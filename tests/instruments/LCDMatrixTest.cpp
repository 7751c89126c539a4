// The LCD matrix: defaults, setters, the layout of the main window's banner
// and other sizes, and what a paint shows. Painted pictures are read back
// cell by cell and matched against the built-in font.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "instruments/LCDDefaultFont.h"
#include "instruments/LCDMatrix.h"
#include "runtime/Exception.h"
#include "tests/platform/graphics/CanvasTestSupport.h"

namespace tintoral {
namespace {

using test::Surface;

constexpr TColor Background = 0x0093945F;

// The main window's banner: 613 × 41, lowered border, margins 2.
void MakeBanner(TiLCDMatrix& m) {
  m.SetBounds(8, 8, 613, 41);
  m.SetBorderStyle(ibsLowered);
}

Surface& Paint(TiLCDMatrix& m, Surface& surface) {
  m.PaintTo(surface.canvas);
  return surface;
}

// The glyph rows lit at character position (column, row): cells in neither
// the off colour nor the background.
TLCDGlyphRows LitRows(const TiLCDMatrix& m, const Surface& s, int column, int row) {
  const TiLCDLayout& l = m.Layout();
  const int pitch = m.CellsWidth() + m.CellsSpacingHorz();
  const int pitchY = m.CellsWidth() + m.CellsSpacingVert();
  TLCDGlyphRows rows{};
  for (int y = 0; y < m.CharactersetHeight() && y < kDefaultGlyphHeight; ++y)
    for (int x = 0; x < m.CharactersetWidth(); ++x) {
      const int cellX = column * (m.CharactersetWidth() + m.CharacterSpacingHorz()) + x;
      const int cellY = row * (m.CharactersetHeight() + m.CharacterSpacingVert()) + y;
      const TColor cell = s.At(l.GridLeft + cellX * pitch, l.GridTop + cellY * pitchY);
      if (cell != m.CellsColorOff() && cell != m.BackGroundColor()) rows[y] |= 1 << (m.CharactersetWidth() - 1 - x);
    }
  return rows;
}

// The text the painted picture shows, line by line: each position read as
// the first code from 32 on whose built-in glyph it shows ('?' for none).
std::vector<std::string> Shown(const TiLCDMatrix& m, const Surface& s) {
  std::vector<std::string> lines;
  for (int row = 0; row < m.Layout().CharRows; ++row) {
    std::string line;
    for (int column = 0; column < m.Layout().CharColumns; ++column) {
      const TLCDGlyphRows rows = LitRows(m, s, column, row);
      char shown = '?';
      for (int code = 32; code <= 255 && shown == '?'; ++code)
        if (DefaultGlyphRows(code) == rows) shown = static_cast<char>(code);
      line += shown;
    }
    lines.push_back(line);
  }
  return lines;
}

TEST(LCDMatrix, ANewMatrixHasTheBuiltInFontAndTheDefaults) {
  TiLCDMatrix m(nullptr);
  EXPECT_EQ(m.Width(), 300);
  EXPECT_EQ(m.Height(), 100);
  EXPECT_EQ(m.BorderStyle(), ibsRaised);
  EXPECT_EQ(m.BackGroundColor(), Background);
  EXPECT_EQ(m.CellsColorOn(), clAqua);
  EXPECT_EQ(m.CellsColorOff(), clTeal);
  EXPECT_TRUE(m.CellsShowOff());
  EXPECT_EQ(m.CellsWidth(), 2);
  EXPECT_EQ(m.OuterMarginLeft() + m.OuterMarginTop() + m.OuterMarginRight() + m.OuterMarginBottom(), 8);
  EXPECT_EQ(m.CharactersetName(), "(Default)");
  EXPECT_EQ(m.Text(), "");
  EXPECT_TRUE(m.Elements().empty());
  EXPECT_EQ(m.Layout().CharColumns, 16);  // 96 cells of 300 pixels less the border and margins
  EXPECT_EQ(m.Characters(65).Data(), "14,17,17,31,17,17,17");
  EXPECT_EQ(m.Characters(255).Data(), "10,0,17,17,15,1,14");
  EXPECT_THROW(m.Characters(256), ListIndexError);
}

TEST(LCDMatrix, TheBannerLayout) {
  TiLCDMatrix m(nullptr);
  MakeBanner(m);
  m.UpdateLayout();
  const TiLCDLayout& l = m.Layout();
  EXPECT_EQ(l.BorderWidth, 2);
  EXPECT_EQ((std::vector<int>{l.InnerLeft, l.InnerTop, l.InnerRight, l.InnerBottom}),
            (std::vector<int>{4, 4, 608, 36}));
  EXPECT_EQ(l.CellColumns, 198);
  EXPECT_EQ(l.CellRows, 8);
  EXPECT_EQ(l.CharColumns, 33);
  EXPECT_EQ(l.CharRows, 1);
  EXPECT_EQ(l.GridLeft, 10);
  EXPECT_EQ(l.GridTop, 9);
  EXPECT_EQ(m.Elements().size(), 33u);
}

TEST(LCDMatrix, TheBannerShowsThirtyThreeCharactersInTwoPixelCells) {
  TiLCDMatrix m(nullptr);
  MakeBanner(m);
  m.SetText("AB");
  Surface s(613, 41, clWhite);
  Paint(m, s);
  // Cell (i, j) is the 2 × 2 square at (10 + 3i, 9 + 3j); position c starts at cell column 6c.
  EXPECT_EQ(s.At(13, 9), clAqua);  // A: row 0 lights columns 1 to 3
  EXPECT_EQ(s.At(14, 10), clAqua);
  EXPECT_EQ(s.At(10, 9), clTeal);      // column 0 unlit
  EXPECT_EQ(s.At(15, 9), Background);  // the gap between two cells
  EXPECT_EQ(s.At(13, 11), Background);
  EXPECT_EQ(s.At(10 + 3 * 5, 9), clTeal);                    // the spacing column after the glyph
  EXPECT_EQ(s.At(10 + 3 * 6, 9), clAqua);                    // B starts at cell column 6
  EXPECT_EQ(s.At(10 + 3 * 197 + 1, 9 + 3 * 7 + 1), clTeal);  // the last cell of the grid
  EXPECT_EQ(s.At(10 + 3 * 198, 9), Background);
  EXPECT_EQ(s.At(0, 0), 0x808080);  // the lowered border's shadow
  // 1,584 cells of four pixels; A and B light 18 + 20 of them.
  EXPECT_EQ(s.PixelsOf(clAqua).size() + s.PixelsOf(clTeal).size(), 1584u * 4);
  EXPECT_EQ(s.PixelsOf(clAqua).size(), (18u + 20u) * 4);

  const std::string long34 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  m.SetText(long34.substr(0, 34));
  EXPECT_EQ(Shown(m, Paint(m, s)), (std::vector<std::string>{long34.substr(0, 33)}));
}

TEST(LCDMatrix, TextEdgeCases) {
  TiLCDMatrix m(nullptr);
  MakeBanner(m);
  Surface s(613, 41);
  m.SetText(std::string("a \0b", 4));  // a space and code 0 light nothing
  EXPECT_EQ(Shown(m, Paint(m, s))[0].substr(0, 5), "a  b ");
  EXPECT_EQ(s.At(10 + 3 * 6, 9), clTeal);
  EXPECT_EQ(s.At(10 + 3 * 12, 9), clTeal);

  m.SetText("Longer text");
  m.SetText("Hi");  // no remains of the longer text
  EXPECT_EQ(Shown(m, Paint(m, s))[0], "Hi" + std::string(31, ' '));
  EXPECT_EQ(m.Text(), "Hi");

  m.SetText("\x80\xF1\xE9\xBF\xA1");  // Windows-1252: euro sign, ñ, é, ¿, ¡
  EXPECT_EQ(Shown(m, Paint(m, s))[0].substr(0, 6), "\x80\xF1\xE9\xBF\xA1 ");

  m.SetCellsColorOn(clRed);  // recolours the text already written
  Paint(m, s);
  EXPECT_EQ(s.PixelsOf(clAqua).size(), 0u);
  EXPECT_GT(s.PixelsOf(clRed).size(), 0u);

  m.SetCellsShowOff(false);
  m.SetText("");
  EXPECT_EQ(Paint(m, s).PixelsOf(Background).size(), 609u * 37);  // all inside the border
}

TEST(LCDMatrix, WriteTextPlacesTextAtAPositionInItsColour) {
  TiLCDMatrix m(nullptr);
  m.SetBounds(0, 0, 72, 48);  // 4 columns, 2 lines without border and margins
  m.SetBorderStyle(ibsNone);
  for (auto set : {&TiLCDMatrix::SetOuterMarginLeft, &TiLCDMatrix::SetOuterMarginTop, &TiLCDMatrix::SetOuterMarginRight,
                   &TiLCDMatrix::SetOuterMarginBottom})
    (m.*set)(0);
  m.SetText("ABCDEFG");
  Surface s(72, 48);
  EXPECT_EQ(Shown(m, Paint(m, s)), (std::vector<std::string>{"ABCD", "EFG "}));
  m.SetWidth(54);  // three columns: the same elements wrap anew, G is cut off
  EXPECT_EQ(Shown(m, Paint(m, s)), (std::vector<std::string>{"ABC", "DEF"}));
  EXPECT_EQ(m.Text(), "ABCDEFG");

  m.WriteText("xy", 2, 0, clLime);  // x at position 2, y wraps to the next line
  EXPECT_EQ(Shown(m, Paint(m, s)), (std::vector<std::string>{"ABx", "yEF"}));
  EXPECT_EQ(s.At(m.Layout().GridLeft + 12 * 3, m.Layout().GridTop + 2 * 3), clLime);  // x: row 2 is 17
  m.WriteText("pq", -1, 0, clLime);  // p falls before the first element
  m.WriteText("w", 0, -1, clLime);
  EXPECT_EQ(Shown(m, Paint(m, s)), (std::vector<std::string>{"qBx", "yEF"}));
  m.ClearElements();
  EXPECT_EQ(Shown(m, Paint(m, s)), (std::vector<std::string>{"   ", "   "}));
}

TEST(LCDMatrix, AMatrixWithoutACharacterColumnDrawsNoElement) {
  TiLCDMatrix m(nullptr);
  m.SetBounds(0, 0, 20, 40);
  m.SetText("AAAA");
  Surface s(20, 40);
  Paint(m, s);
  EXPECT_EQ(m.Layout().CharColumns, 0);
  EXPECT_EQ(m.Layout().CellColumns, 0);
  EXPECT_EQ(s.PixelsOf(clAqua).size() + s.PixelsOf(clTeal).size(), 0u);

  // Far too small: the cell counts would come out negative.
  m.SetBounds(0, 0, 3, 3);
  m.SetOuterMarginLeft(30);
  m.SetOuterMarginTop(30);
  m.SetCharacterSpacingHorz(0);
  m.SetCharacterSpacingVert(0);
  Paint(m, s);
  EXPECT_EQ(
      (std::vector<int>{m.Layout().CellColumns, m.Layout().CellRows, m.Layout().CharColumns, m.Layout().CharRows}),
      (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(s.PixelsOf(clAqua).size(), 0u);
}

TEST(LCDMatrix, OutOfRangeSettingsAreIgnored) {
  TiLCDMatrix m(nullptr);
  using Setter = void (TiLCDMatrix::*)(int);
  using Getter = int (TiLCDMatrix::*)() const;
  struct Case {
    Setter set;
    Getter get;
    int ignored;
    int accepted;
  };
  const Case cases[] = {
      {&TiLCDMatrix::SetCellsWidth, &TiLCDMatrix::CellsWidth, 0, 1},
      {&TiLCDMatrix::SetCellsSpacingHorz, &TiLCDMatrix::CellsSpacingHorz, -1, 0},
      {&TiLCDMatrix::SetCellsSpacingVert, &TiLCDMatrix::CellsSpacingVert, -1, 0},
      {&TiLCDMatrix::SetCharacterSpacingHorz, &TiLCDMatrix::CharacterSpacingHorz, -1, 0},
      {&TiLCDMatrix::SetCharacterSpacingVert, &TiLCDMatrix::CharacterSpacingVert, -1, 0},
      {&TiLCDMatrix::SetOuterMarginLeft, &TiLCDMatrix::OuterMarginLeft, -3, 0},
      {&TiLCDMatrix::SetOuterMarginTop, &TiLCDMatrix::OuterMarginTop, -1, 0},
      {&TiLCDMatrix::SetOuterMarginRight, &TiLCDMatrix::OuterMarginRight, -1, 0},
      {&TiLCDMatrix::SetOuterMarginBottom, &TiLCDMatrix::OuterMarginBottom, -1, 0},
      {&TiLCDMatrix::SetCharactersetWidth, &TiLCDMatrix::CharactersetWidth, 0, 1},
      {&TiLCDMatrix::SetCharactersetHeight, &TiLCDMatrix::CharactersetHeight, 0, 1},
  };
  for (const Case& c : cases) {
    const int before = (m.*c.get)();
    (m.*c.set)(c.ignored);
    EXPECT_EQ((m.*c.get)(), before);
    (m.*c.set)(c.accepted);
    EXPECT_EQ((m.*c.get)(), c.accepted);
  }
}

// Counts that size the glyph rows or the element grid are bounded where
// they are set, with a message naming the limit.
TEST(LCDMatrix, CountsThatSizeAllocationsAreBounded) {
  const struct {
    std::function<void(TiLCDMatrix&)> set;
    const char* message;  // or its start
  } cases[] = {
      {[](TiLCDMatrix& m) { m.SetCharactersetHeight(INT_MAX); },
       "Character set height too large: 2147483647 (the largest is 1024)"},
      {[](TiLCDMatrix& m) { m.SetCharactersetWidth(1025); },
       "Character set width too large: 1025 (the largest is 1024)"},
      {[](TiLCDMatrix& m) { m.WriteText("A", 0, 1 << 30, clRed); }, "LCD too large: "},
  };
  for (const auto& c : cases) {
    TiLCDMatrix m(nullptr);
    try {
      c.set(m);
      ADD_FAILURE() << "no error: " << c.message;
    } catch (const GraphicsError& e) {
      EXPECT_EQ(e.Message().substr(0, std::string(c.message).size()), c.message);
    }
    EXPECT_EQ(m.CharactersetHeight(), kDefaultGlyphHeight);
  }
  TiLCDMatrix m(nullptr);
  m.SetCharactersetHeight(TiLCDMatrix::kMaxCharactersetSide);
  EXPECT_EQ(m.Characters('A').RowCount(), TiLCDMatrix::kMaxCharactersetSide);
}

TEST(LCDMatrix, GlyphHeightPadsAndCutsEveryCharacter) {
  TiLCDMatrix m(nullptr);
  m.SetCharactersetHeight(8);
  for (int code : {0, 65, 255}) EXPECT_EQ(m.Characters(code).GetRow(7), 0) << code;
  EXPECT_EQ(m.Characters(65).Data(), "14,17,17,31,17,17,17,0");
  m.SetCharactersetHeight(7);
  m.SetCharactersetHeight(7);
  EXPECT_EQ(m.Characters(65).Data(), "14,17,17,31,17,17,17");

  m.SetCharactersetHeight(2);
  m.SetCharactersetWidth(3);
  m.LoadDefaultCharacterset();
  EXPECT_EQ(m.CharactersetWidth(), 5);
  EXPECT_EQ(m.CharactersetHeight(), 7);
  EXPECT_EQ(m.Characters(65).Data(), "14,17,17,31,17,17,17");
}

// Background and border of `m` alone: a matrix of the same size, border
// and colour with no cells shown.
void PaintBackgroundOf(const TiLCDMatrix& m, Surface& s) {
  TiLCDMatrix plain(nullptr);
  plain.SetBounds(0, 0, m.Width(), m.Height());
  plain.SetBorderStyle(m.BorderStyle());
  plain.SetBackGroundColor(m.BackGroundColor());
  plain.SetCellsShowOff(false);
  plain.PaintTo(s.canvas);
}

// What `m` paints, drawn one FillRect per cell: the background, the unlit
// cells, then the lit cells of each visible element in its colour.
void PaintCellByCell(TiLCDMatrix& m, Surface& s) {
  PaintBackgroundOf(m, s);
  const TiLCDLayout& l = m.Layout();
  const int w = m.CharactersetWidth(), h = m.CharactersetHeight();
  const auto fill = [&](int column, int row) {
    const int left = l.GridLeft + column * (m.CellsWidth() + m.CellsSpacingHorz());
    const int top = l.GridTop + row * (m.CellsWidth() + m.CellsSpacingVert());
    s.canvas.FillRect({left, top, left + m.CellsWidth(), top + m.CellsWidth()});
  };
  s.canvas.Brush().SetColor(m.CellsColorOff());
  for (int column = 0; column < l.CellColumns && m.CellsShowOff(); ++column)
    for (int row = 0; row < l.CellRows; ++row) fill(column, row);
  for (int index = 0; index < l.CharColumns * l.CharRows && index < static_cast<int>(m.Elements().size()); ++index) {
    const TiLCDElement& element = m.Elements()[static_cast<std::size_t>(index)];
    if (element.Code == 0) continue;
    s.canvas.Brush().SetColor(element.Color);
    const int column = index % l.CharColumns * (w + m.CharacterSpacingHorz());
    const int row = index / l.CharColumns * (h + m.CharacterSpacingVert());
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (m.Characters(element.Code).IsLit(y, x, w)) fill(column + x, row + y);
  }
}

// Every cell size, spacing, glyph size and colour kind, and a bitmap that
// cuts the grid, paints exactly what one FillRect per cell paints, and
// leaves the brush and pen in the colour of the last cells.
TEST(LCDMatrix, CellsArePaintedAsOneFillRectEach) {
  const std::function<void(TiLCDMatrix&)> setups[] = {
      [](TiLCDMatrix&) {},
      [](TiLCDMatrix& m) {
        m.SetCellsWidth(1);
        m.SetCellsSpacingHorz(0);
        m.SetCellsSpacingVert(0);
        m.SetCellsShowOff(false);
      },
      [](TiLCDMatrix& m) {
        m.SetBounds(0, 0, 200, 100);
        m.SetBorderStyle(ibsRaised);
        m.SetCellsWidth(3);
        m.SetCellsSpacingHorz(2);
        m.SetCellsSpacingVert(0);
        m.SetCharacterSpacingHorz(0);
        m.WriteText("xy", 3, 1, clLime);
        m.WriteText("Qz", 0, 2, clBtnFace);
        m.SetCellsColorOff(clHighlight);
      },
      [](TiLCDMatrix& m) {
        m.SetBounds(0, 0, 613, 120);
        m.SetCellsWidth(5);
        m.SetCharactersetWidth(33);
        m.SetCharactersetHeight(9);
        m.Characters('S').SetRow(0, INT_MIN | (1 << 30) | 1);  // the sign bit never lights
      },
  };
  for (const auto& setup : setups)
    for (const TSize size : {TSize{613, 41}, TSize{101, 31}}) {
      TiLCDMatrix m(nullptr);
      MakeBanner(m);
      m.SetText(
          "Se\xF1"
          "ales: Y, U, V");
      setup(m);
      Surface actual(size.Width, size.Height), expected(size.Width, size.Height);
      Paint(m, actual);
      PaintCellByCell(m, expected);
      EXPECT_TRUE(test::SameWindow(expected.bitmap, actual.bitmap, 0, 0)) << m.CellsWidth() << " " << size.Width;
      EXPECT_EQ(actual.canvas.Brush().Color(), expected.canvas.Brush().Color());
      EXPECT_EQ(actual.canvas.Pen().Color(), expected.canvas.Brush().Color());
    }
}

TEST(LCDMatrix, AFourColumnGlyphReadsTheLowFourBits) {
  TiLCDMatrix m(nullptr);
  MakeBanner(m);
  m.SetCharactersetWidth(4);
  m.SetText("AA");
  Surface s(613, 41);
  Paint(m, s);
  EXPECT_EQ(m.Layout().CellColumns, 200);  // 202 cells fit, cut to pitches of 5
  EXPECT_EQ(m.Layout().CharColumns, 40);
  EXPECT_EQ(LitRows(m, s, 0, 0), (TLCDGlyphRows{14, 1, 1, 15, 1, 1, 1}));
  EXPECT_EQ(LitRows(m, s, 1, 0), (TLCDGlyphRows{14, 1, 1, 15, 1, 1, 1}));
}

}  // namespace
}  // namespace tintoral
