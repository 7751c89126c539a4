#include <gtest/gtest.h>

#include "platform/graphics/Color.h"

namespace tintoral {
namespace {

class ColorTest : public testing::Test {
 protected:
  void SetUp() override { SystemColors::ResetToClassic(); }
  void TearDown() override { SystemColors::ResetToClassic(); }
};

TEST_F(ColorTest, SystemColoursResolveThroughTheTableAtUseTime) {
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0u);
  EXPECT_EQ(ColorToRGB(clBtnShadow), 0x808080u);
  EXPECT_EQ(ColorToRGB(cl3DLight), 0xDFDFDFu);
  EXPECT_EQ(ColorToRGB(clHighlight), 0x800000u);
  EXPECT_EQ(ColorToRGB(clInfoBk), 0xE1FFFFu);
  EXPECT_EQ(ColorToRGB(clBackground), 0x808000u);
  SystemColors::Set(COLOR_BTNFACE, 0x123456);
  EXPECT_EQ(ColorToRGB(clBtnFace), 0x123456u);
  SystemColors::ResetToClassic();
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0u);
}

TEST_F(ColorTest, RgbAndPaletteRelativeColoursPaintTheirLowBytes) {
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
  EXPECT_EQ(ColorToRGB(ColorFromBits(0x02123456u)), 0x123456u);
  EXPECT_EQ(ColorToRGB(ColorFromBits(0xFF0000FFu)), 0u);  // unknown system colour number
  EXPECT_EQ(SystemColors::Get(-1), 0u);
  EXPECT_EQ(SystemColors::Get(SystemColorCount), 0u);
}

TEST_F(ColorTest, EveryNamedColourHasAnIdentThatReadsBack) {
  const TColor named[] = {clBlack, clMaroon, clGreen,  clOlive, clNavy,    clPurple, clTeal,  clGray, clSilver,
                          clRed,   clLime,   clYellow, clBlue,  clFuchsia, clAqua,   clWhite, clNone, clDefault};
  for (TColor c : named) {
    std::string ident;
    ASSERT_TRUE(ColorToIdent(c, ident)) << std::hex << c;
    TColor back = 0;
    ASSERT_TRUE(IdentToColor(ident, back)) << ident;
    EXPECT_EQ(back, c) << ident;
  }
  for (int i = 0; i < SystemColorCount; ++i) {
    std::string ident;
    ASSERT_TRUE(ColorToIdent(SystemColor(i), ident)) << i;
    TColor back = 0;
    ASSERT_TRUE(IdentToColor(ident, back));
    EXPECT_EQ(back, SystemColor(i));
  }
}

TEST_F(ColorTest, IdentsUseTheirUsualSpellingAndReadWithoutRegardToCase) {
  std::string ident;
  ASSERT_TRUE(ColorToIdent(clBtnFace, ident));
  EXPECT_EQ(ident, "clBtnFace");
  ASSERT_TRUE(ColorToIdent(cl3DDkShadow, ident));
  EXPECT_EQ(ident, "cl3DDkShadow");
  TColor c = 0;
  ASSERT_TRUE(IdentToColor("CLRED", c));
  EXPECT_EQ(c, clRed);
  ASSERT_TRUE(IdentToColor("clwindowtext", c));
  EXPECT_EQ(c, clWindowText);
}

TEST_F(ColorTest, UnnamedColoursAndUnknownIdentsAreRefused) {
  std::string ident = "unchanged";
  EXPECT_FALSE(ColorToIdent(0x123456, ident));
  EXPECT_EQ(ident, "unchanged");
  TColor c = 7;
  EXPECT_FALSE(IdentToColor("clRe", c));
  EXPECT_FALSE(IdentToColor("clRedd", c));
  EXPECT_FALSE(IdentToColor("", c));
  EXPECT_EQ(c, 7);
}

}  // namespace
}  // namespace tintoral
