// The LCD character: row operations and their index errors, the Data text
// both ways, and the built-in font.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "instruments/LCDCharacter.h"
#include "instruments/LCDDefaultFont.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

std::vector<std::int32_t> Rows(const TiLCDCharacter& character) {
  std::vector<std::int32_t> rows;
  for (int i = 0; i < character.RowCount(); ++i) rows.push_back(character.GetRow(i));
  return rows;
}

std::unique_ptr<TiLCDCharacter> WithRows(std::vector<std::int32_t> rows) {
  auto character = std::make_unique<TiLCDCharacter>();
  character->AddRows(rows);
  return character;
}

TEST(LCDCharacter, RowOperations) {
  TiLCDCharacter c;
  c.AddRow(3);
  c.AddRows(std::vector<std::int32_t>{5, 7, 9});
  c.DeleteRow(1);
  EXPECT_EQ(Rows(c), (std::vector<std::int32_t>{3, 7, 9}));
  c.SetRow(2, -1);
  c.SetRowCount(5);
  EXPECT_EQ(Rows(c), (std::vector<std::int32_t>{3, 7, -1, 0, 0}));
  c.SetRowCount(2);
  EXPECT_EQ(Rows(c), (std::vector<std::int32_t>{3, 7}));
  c.SetRowCount(-4);
  EXPECT_EQ(c.RowCount(), 0);
  c.AddRow(1);
  c.ClearRows();
  EXPECT_EQ(c.RowCount(), 0);
}

TEST(LCDCharacter, RowIndexesOutsideTheListRaiseTheListIndexError) {
  const auto c = WithRows({1, 2});
  const std::vector<std::function<void()>> calls = {[&] { c->GetRow(2); }, [&] { c->GetRow(-1); },
                                                    [&] { c->SetRow(2, 0); }, [&] { c->DeleteRow(-1); },
                                                    [&] { c->DeleteRow(2); }};
  for (const auto& call : calls) EXPECT_THROW(call(), ListIndexError);
  EXPECT_EQ(Rows(*c), (std::vector<std::int32_t>{1, 2}));
}

TEST(LCDCharacter, AssignCopiesTheRowsOfAnotherCharacterOnly) {
  const auto target = WithRows({1, 2, 3, 4});
  target->Assign(*WithRows({8, 9}));
  EXPECT_EQ(Rows(*target), (std::vector<std::int32_t>{8, 9}));

  class TOther : public TPersistent {};
  EXPECT_THROW(target->Assign(TOther()), InvalidOperation);
}

TEST(LCDCharacter, DataReadsTheRowsJoinedByCommas) {
  EXPECT_EQ(WithRows({4, 4, 4, 4, 4, 0, 4})->Data(), "4,4,4,4,4,0,4");
  EXPECT_EQ(WithRows({-7, 2147483647})->Data(), "-7,2147483647");
  EXPECT_EQ(WithRows({})->Data(), "");
}

TEST(LCDCharacter, DataWriteFillsRowsPieceByPieceAndNeverChangesTheCount) {
  struct Case {
    const char* text;
    std::vector<std::int32_t> rows;
  };
  const Case cases[] = {
      {"9,8", {9, 8, 1, 1, 1, 1, 1}},                 // rows after the last piece keep their values
      {"1,2,3,4,5,6,7,8,9", {1, 2, 3, 4, 5, 6, 7}},   // pieces beyond the count are ignored
      {" 5,$1F,-3, 0x10", {5, 31, -3, 16, 1, 1, 1}},  // the runtime's integer conversion, blanks in front
      {"1,2,3,4,5,6,7,junk", {1, 2, 3, 4, 5, 6, 7}},  // never converted
  };
  for (const Case& c : cases) {
    const auto character = WithRows({1, 1, 1, 1, 1, 1, 1});
    character->SetData(c.text);
    EXPECT_EQ(Rows(*character), c.rows) << c.text;
  }
}

TEST(LCDCharacter, DataWriteStopsAtThePieceThatIsNoInteger) {
  struct Case {
    const char* text;
    const char* message;
    std::vector<std::int32_t> rows;
  };
  const Case cases[] = {
      {"", "'' is not a valid integer value", {1, 1, 1}},
      {"6,,7", "'' is not a valid integer value", {6, 1, 1}},
      {"6,7,x", "'x' is not a valid integer value", {6, 7, 1}},
      {"6 ,7", "'6 ' is not a valid integer value", {1, 1, 1}},
      {"4294967296", "'4294967296' is not a valid integer value", {1, 1, 1}},
  };
  for (const Case& c : cases) {
    const auto character = WithRows({1, 1, 1});
    try {
      character->SetData(c.text);
      ADD_FAILURE() << "no error for '" << c.text << "'";
    } catch (const ConvertError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(Rows(*character), c.rows) << c.text;
  }
  TiLCDCharacter empty;
  empty.SetData("not read: there are no rows");
  EXPECT_EQ(empty.RowCount(), 0);
}

TEST(LCDCharacter, LitCellsFollowTheBitsFromTheLeftmostColumn) {
  const auto c = WithRows({0b10001, 0b01110, INT32_MIN | 1});
  std::string picture;
  for (int row = 0; row < 4; ++row)
    for (int column = -1; column <= 5; ++column) picture += c->IsLit(row, column, 5) ? '#' : '.';
  EXPECT_EQ(picture,
            ".#...#."    // 17
            "..###.."    // 14
            ".....#."    // only bit 0 of a negative row
            ".......");  // no fourth row
  // Four columns read the low four bits; at 32 columns the sign bit is column 0 and never lit.
  EXPECT_FALSE(c->IsLit(0, 0, 4));
  EXPECT_TRUE(c->IsLit(0, 3, 4));
  EXPECT_FALSE(c->IsLit(2, 0, 32));
  EXPECT_TRUE(c->IsLit(0, 35, 40));  // bit 4 of a 40-wide glyph
  EXPECT_FALSE(c->IsLit(0, 0, 40));
}

TEST(LCDDefaultFont, GlyphsOfTheTable) {
  struct Case {
    int code;
    const char* data;
  };
  const Case cases[] = {
      {65, "14,17,17,31,17,17,17"}, {32, "0,0,0,0,0,0,0"},     {0, "0,0,0,0,0,0,0"},
      {48, "14,17,19,21,25,17,14"}, {128, "6,9,28,8,28,9,6"},  {233, "2,4,14,17,31,16,15"},
      {241, "13,18,0,22,25,17,17"}, {191, "4,0,4,8,16,17,14"}, {161, "4,0,4,4,4,4,4"},
      {255, "10,0,17,17,15,1,14"},
  };
  for (const Case& c : cases) {
    TiLCDCharacter character;
    character.LoadDefaultGlyph(c.code);
    EXPECT_EQ(character.Data(), c.data) << c.code;
  }
  const auto beyond = WithRows({1, 2});
  beyond->LoadDefaultGlyph(256);
  EXPECT_EQ(beyond->RowCount(), 0);
}

TEST(LCDDefaultFont, HasGlyphsForExactlyTheListedCodes) {
  std::vector<int> withGlyph;
  for (int code = 0; code <= 255; ++code)
    if (DefaultGlyphRows(code) != TLCDGlyphRows{}) withGlyph.push_back(code);
  std::vector<int> expected;
  for (int code = 33; code <= 126; ++code) expected.push_back(code);
  expected.push_back(128);
  for (int code = 161; code <= 255; ++code) expected.push_back(code);
  EXPECT_EQ(withGlyph, expected);
}

}  // namespace
}  // namespace tintoral
