// The seven-segment character: exact segment pixels, shapes, colours,
// setters and their hooks, auto-size and loading from a form stream.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "instruments/InstrumentClasses.h"
#include "instruments/SevenSegmentCharacter.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"

namespace tintoral {
namespace {

using Rows = std::vector<std::string>;

const TBitmap& Render(TiSevenSegmentCharacter& c) {
  c.PaintBufferNow(false);
  return c.PaintBuffer();
}

// Rows top … top + count - 1 of the image: '#' for `on`, 'o' for `off`,
// '.' for black and '?' for anything else.
Rows Picture(const TBitmap& image, int top, int count, TColor on = clLime, TColor off = 0x005500) {
  Rows rows;
  for (int y = top; y < top + count; ++y) {
    std::string row;
    for (int x = 0; x < image.Width(); ++x) {
      const TColor p = image.Pixel(x, y);
      row += p == on ? '#' : p == off ? 'o' : p == clBlack ? '.' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

Rows Whole(const TBitmap& image, TColor on = clLime, TColor off = 0x005500) {
  return Picture(image, 0, image.Height(), on, off);
}

int Count(const Rows& rows, char mark) {
  int n = 0;
  for (const std::string& row : rows)
    for (char ch : row) n += ch == mark;
  return n;
}

TEST(SevenSegmentCharacter, ANewCharacterHasTheDefaultsAndIsFifteenByTwentyThree) {
  TiSevenSegmentCharacter c(nullptr);
  EXPECT_EQ(c.Width(), 15);
  EXPECT_EQ(c.Height(), 23);
  EXPECT_EQ(c.Value(), ssc0);
  EXPECT_EQ(c.Character(), '0');
  EXPECT_EQ(c.SegmentColor(), clLime);
  EXPECT_EQ(c.SegmentOffColor(), clGreen);
  EXPECT_EQ(c.BackGroundColor(), clBlack);
  EXPECT_TRUE(c.AutoSize() && c.AutoSegmentOffColor() && c.ShowOffSegments());
  EXPECT_FALSE(c.PowerOff() || c.UseSegmentBits());
  EXPECT_EQ(c.SegmentBits(), 0);
  EXPECT_EQ(c.OnColor(), ColorFromBits(0x0200FF00));
  EXPECT_EQ(c.OffColor(), ColorFromBits(0x02005500));
}

TEST(SevenSegmentCharacter, SegmentAAloneIsTheExactTrapezoid) {
  TiSevenSegmentCharacter c(nullptr);
  c.SetShowOffSegments(false);
  c.SetUseSegmentBits(true);
  c.SetSegmentBits(segA);
  const Rows all = Whole(Render(c));
  EXPECT_EQ(Rows(all.begin(), all.begin() + 6), (Rows{
                                                    "...............",
                                                    "...............",
                                                    "...#########...",
                                                    "....#######....",
                                                    ".....#####.....",
                                                    "...............",
                                                }));
  EXPECT_EQ(Count(all, '#'), 9 + 7 + 5);
}

TEST(SevenSegmentCharacter, SegmentGAloneIsTheHexagonOnTheMidRow) {
  TiSevenSegmentCharacter c(nullptr);
  c.SetShowOffSegments(false);
  c.SetUseSegmentBits(true);
  c.SetSegmentBits(segG);
  const Rows all = Whole(Render(c));
  EXPECT_EQ(Rows(all.begin() + 9, all.begin() + 14), (Rows{
                                                         "...............",
                                                         "....#######....",
                                                         "...#########...",
                                                         "....#######....",
                                                         "...............",
                                                     }));
  EXPECT_EQ(Count(all, '#'), 7 + 9 + 7);
}

TEST(SevenSegmentCharacter, AnEightLightsEverySegmentWithGapsBetweenThem) {
  TiSevenSegmentCharacter c(nullptr);
  c.SetValue(ssc8);
  const Rows all = Whole(Render(c));
  EXPECT_EQ(all[2], "...#########...");
  EXPECT_EQ(all[11], "...#########...");    // G, between the gaps to E/F and B/C
  EXPECT_EQ(all[20], "...#########...");    // D
  EXPECT_EQ(all[7].substr(0, 5), "..###");  // F, 2 × SegmentSize thick plus its outline
  EXPECT_EQ(Count(all, 'o'), 0);
  EXPECT_EQ(Count(all, '?'), 0);
  EXPECT_EQ(all[0], "...............");  // the margin
  EXPECT_EQ(all[22], "...............");
}

TEST(SevenSegmentCharacter, UnlitSegmentsUseTheAutomaticOrTheFixedOffColour) {
  TiSevenSegmentCharacter c(nullptr);
  c.SetValue(ssc1);
  const Rows automatic = Whole(Render(c));
  EXPECT_EQ(automatic[2], "...ooooooooo...");   // A unlit
  EXPECT_EQ(automatic[11], "...ooooooooo...");  // G unlit
  EXPECT_EQ(automatic[6][12], '#');             // B lit

  c.SetAutoSegmentOffColor(false);
  c.SetSegmentOffColor(0x123456);
  EXPECT_EQ(c.OffColor(), 0x123456);
  EXPECT_EQ(Render(c).Pixel(7, 2), 0x123456);

  c.SetAutoSegmentOffColor(true);
  c.SetSegmentColor(clRed);
  EXPECT_EQ(c.OffColor(), ColorFromBits(0x02000055));
  EXPECT_EQ(c.OnColor(), ColorFromBits(0x020000FF));
  EXPECT_EQ(Render(c).Pixel(7, 2), 0x000055);

  c.SetShowOffSegments(false);
  const Rows bare = Whole(Render(c), clRed, 0x000055);
  EXPECT_EQ(Count(bare, 'o'), 0);
  EXPECT_GT(Count(bare, '#'), 0);
}

TEST(SevenSegmentCharacter, PowerOffDrawsEverythingInTheOffColour) {
  TiSevenSegmentCharacter one(nullptr), eight(nullptr);
  one.SetValue(ssc1);
  eight.SetValue(ssc8);
  for (auto* c : {&one, &eight}) c->SetPowerOff(true);
  const Rows onePicture = Whole(Render(one)), eightPicture = Whole(Render(eight));
  EXPECT_EQ(onePicture, eightPicture);
  EXPECT_EQ(Count(onePicture, '#'), 0);

  one.SetShowOffSegments(false);
  const Rows shape = Whole(Render(one));
  EXPECT_EQ(Count(shape, '#'), 0);
  EXPECT_EQ(shape[6], "..........ooo..");  // B still visible, in the off colour
  EXPECT_EQ(shape[2], "...............");
}

TEST(SevenSegmentCharacter, APeriodNarrowsTheCellAndDrawsOneSquareAtTheBottom) {
  TiSevenSegmentCharacter c(nullptr);
  c.SetValue(sscPeriod);
  EXPECT_EQ(c.Width(), 7);
  EXPECT_EQ(c.Height(), 23);
  const Rows all = Whole(Render(c));
  // cx = 3, Z = 1: the square (2, 21) … (4, 23), its lower edge outside the control.
  EXPECT_EQ(all[20], ".......");
  EXPECT_EQ(all[21], "..###..");
  EXPECT_EQ(all[22], "..###..");
  EXPECT_EQ(Count(all, '#'), 6);
  c.SetValue(ssc3);
  EXPECT_EQ(c.Width(), 15);
}

TEST(SevenSegmentCharacter, SignsShowTheOtherSignInTheOffColourOnlyWithShowOffSegments) {
  TiSevenSegmentCharacter c(nullptr);
  c.SetValue(sscPlus);
  const Rows withOff = Whole(Render(c));
  // The plus in the upper half, the minus below it in the off colour.
  for (int y = 0; y < 12; ++y) EXPECT_EQ(withOff[y].find('o'), std::string::npos) << y;
  for (int y = 12; y < 23; ++y) EXPECT_EQ(withOff[y].find('#'), std::string::npos) << y;
  EXPECT_GT(Count(withOff, 'o'), 0);
  c.SetShowOffSegments(false);
  const Rows plusOnly = Whole(Render(c));
  EXPECT_EQ(Count(plusOnly, 'o'), 0);
  EXPECT_EQ(Count(plusOnly, '#'), Count(withOff, '#'));

  c.SetValue(sscBlank);
  EXPECT_EQ(Count(Whole(Render(c)), '.'), 15 * 23);
}

// The rows that hold a lit pixel.
std::vector<int> LitRows(const Rows& rows) {
  std::vector<int> lit;
  for (std::size_t y = 0; y < rows.size(); ++y)
    if (rows[y].find('#') != std::string::npos) lit.push_back(static_cast<int>(y));
  return lit;
}

TEST(SevenSegmentCharacter, ColonRowsRoundHalvesToEven) {
  TiSevenSegmentCharacter c(nullptr);
  c.SetAutoSize(false);
  c.SetBounds(0, 0, 7, 27);
  c.SetValue(sscColon);
  // 5 × 27 / 18 = 7.5 -> 8, 7 × 27 / 18 = 10.5 -> 10, 11 × 27 / 18 = 16.5 -> 16, 13 × 27 / 18 = 19.5 -> 20.
  const Rows colon = Whole(Render(c));
  EXPECT_EQ(LitRows(colon), (std::vector<int>{8, 9, 10, 16, 17, 18, 19, 20}));
  EXPECT_EQ(colon[9], "..###..");
  c.SetValue(sscComma);  // the lower square and a tail down to 16 × 27 / 18 = 24, right of the centre
  const Rows comma = Whole(Render(c));
  EXPECT_EQ(LitRows(comma), (std::vector<int>{16, 17, 18, 19, 20, 21, 22, 23, 24}));
  EXPECT_EQ(comma[22], "...##..");
}

TEST(SevenSegmentCharacter, ArrowsPointFromTheMidRow) {
  TiSevenSegmentCharacter c(nullptr);
  c.SetValue(sscUpArrow);  // a = 5, apex (7, 11 - 5)
  const Rows up = Whole(Render(c));
  EXPECT_EQ(LitRows(up).front(), 6);
  EXPECT_EQ(LitRows(up).back(), 11);
  EXPECT_EQ(up[6], ".......#.......");  // the apex pixel alone
  EXPECT_EQ(up[11], "..###########..");
  c.SetValue(sscDownArrow);
  const Rows down = Whole(Render(c));
  EXPECT_EQ(LitRows(down).front(), 11);
  EXPECT_EQ(LitRows(down).back(), 16);
  c.SetAutoSize(false);
  c.SetHeight(12);  // the apex is held inside the margin: H - 1 - M = 9
  EXPECT_EQ(LitRows(Whole(Render(c))).back(), 9);
}

TEST(SevenSegmentCharacter, CharactersMapToValuesAndBack) {
  TiSevenSegmentCharacter c(nullptr);
  c.SetCharacter('B');
  EXPECT_EQ(c.Value(), sscB);
  EXPECT_EQ(c.Character(), 'b');
  for (char unknown : {'?', 'x', ' ', 'G'}) {
    c.SetCharacter('1');
    c.SetCharacter(unknown);
    EXPECT_EQ(c.Value(), sscBlank) << unknown;
  }
  const std::string shapes = "0123456789abcdef.:+- _<>;,";
  for (int v = 0; v <= sscComma; ++v) {
    const auto value = static_cast<TSevenSegmentCharacter>(v);
    EXPECT_EQ(SevenSegmentToChar(value), shapes[static_cast<std::size_t>(v)]);
    if (value != sscBlank) {
      EXPECT_EQ(TiSevenSegmentCharacter::CharToSevenSegment(shapes[static_cast<std::size_t>(v)]), value);
    }
  }
  EXPECT_EQ(SevenSegmentToChar(static_cast<TSevenSegmentCharacter>(26)), '?');
}

TEST(SevenSegmentCharacter, AValueBeyondTheShapesDrawsOnlyTheBackground) {
  TiSevenSegmentCharacter c(nullptr);
  c.SetValue(static_cast<TSevenSegmentCharacter>(30));
  EXPECT_EQ(c.Character(), '?');
  EXPECT_EQ(Count(Whole(Render(c)), '.'), c.Width() * c.Height());
}

TEST(SevenSegmentCharacter, SegmentBitsOverrideTheValueAndIgnoreBitSeven) {
  TiSevenSegmentCharacter bits(nullptr), eight(nullptr);
  eight.SetValue(ssc8);
  bits.SetValue(ssc1);
  bits.SetUseSegmentBits(true);
  bits.SetSegmentBits(0x7F);
  EXPECT_EQ(Whole(Render(bits)), Whole(Render(eight)));

  bits.SetSegmentBits(0x80);
  EXPECT_EQ(bits.SegmentBits(), 0);
  EXPECT_FALSE(bits.SegAOn() || bits.SegGOn());
  bits.SetSegmentBits(0xFF);
  EXPECT_EQ(bits.SegmentBits(), 0x7F);
  bits.SetSegCOn(false);
  EXPECT_EQ(bits.SegmentBits(), 0x7B);
}

TEST(SevenSegmentCharacter, SizeSettersClampAndResize) {
  TiSevenSegmentCharacter c(nullptr);
  int autoSizes = 0;
  c.SetOnAutoSize([&](TObject*) { ++autoSizes; });
  c.SetSegmentSize(0);
  EXPECT_EQ(c.SegmentSize(), 1);
  EXPECT_EQ(autoSizes, 0);  // unchanged: nothing happens
  c.SetSegmentMargin(-3);
  EXPECT_EQ(c.SegmentMargin(), 0);
  EXPECT_EQ(c.Width(), 11);
  EXPECT_EQ(c.Height(), 19);
  c.SetSegmentSize(2);
  EXPECT_EQ(c.Width(), 21);
  EXPECT_EQ(c.Height(), 37);
  EXPECT_EQ(autoSizes, 2);
  c.SetSegmentSeperation(-1);
  EXPECT_EQ(c.SegmentSeperation(), 0);
  EXPECT_EQ(autoSizes, 2);  // the gap does not resize

  c.SetAutoSize(false);
  c.SetValue(sscColon);
  EXPECT_EQ(c.Width(), 21);
  c.SetAutoSize(true);
  EXPECT_EQ(c.Width(), 0 + 4 + 1);
  EXPECT_EQ(autoSizes, 3);
}

TEST(SevenSegmentCharacter, ValueAsksPermissionThenRepaintsResizesAndTellsTheChange) {
  TiSevenSegmentCharacter c(nullptr);
  std::vector<std::string> log;
  bool allow = false;
  c.SetEditPermissionHook([&](TObject*, const std::string& name, bool& ok) {
    log.push_back("permit " + name);
    ok = allow;
  });
  c.SetPropertyChangeHook([&](TObject*, const std::string& name) { log.push_back("changed " + name); });
  c.SetOnAutoSize([&](TObject* sender) { log.push_back(sender == &c ? "autosize" : "autosize?"); });
  c.BeginUpdate();

  c.SetValue(sscPeriod);
  EXPECT_EQ(log, (std::vector<std::string>{"permit Value"}));
  EXPECT_EQ(c.Value(), ssc0);
  EXPECT_EQ(c.Width(), 15);
  EXPECT_FALSE(c.RepaintPending());

  log.clear();
  allow = true;
  c.SetCharacter('.');
  EXPECT_EQ(log, (std::vector<std::string>{"permit Value", "autosize", "changed Value"}));
  EXPECT_EQ(c.Width(), 7);
  EXPECT_TRUE(c.RepaintPending());

  log.clear();
  c.SetValue(sscPeriod);  // unchanged: not even asked
  EXPECT_TRUE(log.empty());
}

TEST(SevenSegmentCharacter, SegmentBitsRepaintEvenWhenNothingChanged) {
  TiSevenSegmentCharacter c(nullptr);
  c.BeginUpdate();
  c.SetSegAOn(false);
  c.SetSegmentColor(clLime);
  EXPECT_FALSE(c.RepaintPending());
  c.SetSegmentBits(0);
  EXPECT_TRUE(c.RepaintPending());
}

TEST(SevenSegmentCharacter, AStoredSizeSurvivesLoadingAndOnlyLaterChangesResize) {
  RegisterInstruments();
  const std::string text =
      "object Digit: TiSevenSegmentCharacter\n"
      "  Width = 40\n  Height = 50\n  Value = sscPeriod\n  Character = '.'\n  SegmentSize = 0\n"
      "  SegmentColor = clRed\nend\n";
  std::unique_ptr<TComponent> loaded(ReadComponentText(text));
  auto& c = dynamic_cast<TiSevenSegmentCharacter&>(*loaded);
  EXPECT_EQ(c.Width(), 40);
  EXPECT_EQ(c.Height(), 50);
  EXPECT_EQ(c.Value(), sscPeriod);
  EXPECT_EQ(c.SegmentSize(), 0);  // loading stores without clamping
  EXPECT_EQ(c.SegmentColor(), clRed);
  c.SetSegmentSize(2);
  EXPECT_EQ(c.Width(), 2 * 2 + 2 * 2 + 1);
  EXPECT_EQ(c.Height(), 2 * 2 + 18 * 2 + 1);

  const std::string written = WriteComponentText(c);
  EXPECT_NE(written.find("Value = sscPeriod"), std::string::npos) << written;
  EXPECT_NE(written.find("SegmentSize = 2"), std::string::npos) << written;
  EXPECT_EQ(written.find("ShowOffSegments"), std::string::npos) << written;  // default, not written
}

}  // namespace
}  // namespace tintoral
