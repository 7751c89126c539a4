#include <gtest/gtest.h>

#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

TEST(Windows1252, SpanishTextAndEuroConvertBothWays) {
  const std::string bytes = "Versi\xF3n \x80 \xBF\xF1";
  EXPECT_EQ(Windows1252ToUtf8(bytes), "Versi\xC3\xB3n \xE2\x82\xAC \xC2\xBF\xC3\xB1");
  EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(bytes)), bytes);
  EXPECT_EQ(Windows1252ToUtf16("\x80")[0], u'\u20AC');
}

TEST(Windows1252, EveryByteRoundTripsThroughUtf16) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf16ToWindows1252(Windows1252ToUtf16(all)), all);
}

TEST(Windows1252, CharactersOutsideTheCodePageAreReplaced) {
  EXPECT_EQ(Utf8ToWindows1252("a\xE2\x86\x92"
                              "b"),
            "a?b");                                            // U+2192 arrow
  EXPECT_EQ(Utf8ToWindows1252("\xF0\x9F\x98\x80", '_'), "_");  // outside the BMP
  EXPECT_EQ(Utf8ToWindows1252("\xC3"), "?");                   // cut sequence
  EXPECT_EQ(Utf16ToWindows1252(u"\u0100x"), "?x");
}

}  // namespace
}  // namespace tintoral
