#include <gtest/gtest.h>
#include <locale.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "runtime/Exception.h"
#include "runtime/NumberText.h"
#include "system/Locale.h"
#include "tests/system/TestLocales.h"

namespace tintoral {
namespace {

// Expects ConvertError with exactly this message.
template <typename Call>
void ExpectConvertError(Call call, const std::string& message) {
  try {
    call();
    ADD_FAILURE() << "no ConvertError, expected: " << message;
  } catch (const ConvertError& error) {
    EXPECT_EQ(error.Message(), message);
  }
}

class NumberTextTest : public testing::Test {
 protected:
  ScopedDecimalSeparator point_{'.'};
};

TEST_F(NumberTextTest, FixedTextWritesZeroWithThePatternsDigitsAndNoSign) {
  EXPECT_EQ(FixedText(0.0L, 0), "0");
  EXPECT_EQ(FixedText(0.0L, 1), "0.0");
  EXPECT_EQ(FixedText(0.0L, 3), "0.000");
  EXPECT_EQ(FixedText(-0.0L, 3), "0.000");
  EXPECT_EQ(FixedText(-0.0004L, 3), "0.000");  // rounds to zero: no sign
  EXPECT_EQ(FixedText(-0.4L, 0), "0");
  EXPECT_EQ(FixedText(1e-30L, 3), "0.000");
}

TEST_F(NumberTextTest, FixedTextRoundsHalvesAwayFromZero) {
  EXPECT_EQ(FixedText(127.5L, 0), "128");
  EXPECT_EQ(FixedText(-127.5L, 0), "-128");
  EXPECT_EQ(FixedText(2.5L, 0), "3");
  EXPECT_EQ(FixedText(0.0005L, 3), "0.001");
  EXPECT_EQ(FixedText(-0.0005L, 3), "-0.001");
  EXPECT_EQ(FixedText(103.45L, 1), "103.5");
  EXPECT_EQ(FixedText(103.44999L, 1), "103.4");
}

TEST_F(NumberTextTest, FixedTextCarriesIntoNewDigits) {
  EXPECT_EQ(FixedText(9.9995L, 3), "10.000");
  EXPECT_EQ(FixedText(999.5L, 0), "1000");
  EXPECT_EQ(FixedText(-0.96L, 1), "-1.0");
  EXPECT_EQ(FixedText(0.05L, 1), "0.1");
}

TEST_F(NumberTextTest, FixedTextKeepsTrailingZerosAndWritesNoGrouping) {
  EXPECT_EQ(FixedText(1.5L, 3), "1.500");
  EXPECT_EQ(FixedText(1234567.0L, 1), "1234567.0");
  EXPECT_EQ(FixedText(0.25L, 2), "0.25");
  EXPECT_EQ(FixedText(1.5L, 20), "1.50000000000000000000");
}

TEST_F(NumberTextTest, FixedTextRoundsTheEighteenthDigitTiesToEvenFirst) {
  // Exact binary values with a 5 in the 19th significant digit: the first
  // step rounds it to even, so the second step sees no half any more.
  EXPECT_EQ(FixedText(12345678901234567.25L, 1), "12345678901234567.2");
  EXPECT_EQ(FixedText(12345678901234567.75L, 1), "12345678901234567.8");
  EXPECT_EQ(FixedText(1000000000000000005.0L, 0), "1000000000000000000");
  EXPECT_EQ(FixedText(1000000000000000015.0L, 0), "1000000000000000020");
  // The double nearest 0.1485 lies just below it; 18 digits still show that.
  EXPECT_EQ(FixedText(static_cast<long double>(0.1485), 3), "0.148");
}

TEST_F(NumberTextTest, ExtendedPrecisionChannelLevels) {
  EXPECT_EQ(RoundHalfAway(50 * 2.55L), 128);
  EXPECT_EQ(RoundHalfAway(37.5L * 2.55L), 96);  // 95.625
  EXPECT_EQ(RoundHalfAway(95.625L), 96);
  const int positions[] = {10, 30, 50, 70, 90};
  const int levels[] = {26, 77, 128, 179, 230};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(RoundHalfAway(positions[i] * 2.55L), levels[i]) << positions[i];
  // In double precision 50 × 2.55 falls below the half.
  EXPECT_EQ(RoundHalfAway(static_cast<long double>(50 * 2.55)), 127);
}

TEST_F(NumberTextTest, VectorTextsOfThePureRedColour) {
  const double u = 0.492 * -0.3;
  const double v = 0.877 * 0.7;
  const double angle = static_cast<double>(std::atan(static_cast<long double>(v) / u) * 180 / M_PIl) + 180;
  const double modulus = std::sqrt(u * u + v * v);
  EXPECT_EQ(FixedText(angle, 1), "103.5");
  EXPECT_EQ(FixedText(modulus, 3), "0.631");
  EXPECT_EQ(RoundHalfAway(static_cast<long double>(u) * 150), -22);
  EXPECT_EQ(RoundHalfAway(static_cast<long double>(v) * 150), 92);

  ScopedDecimalSeparator comma(',');
  EXPECT_EQ(FixedText(angle, 1), "103,5");
  EXPECT_EQ(FixedText(modulus, 3), "0,631");
  EXPECT_EQ(FixedText(0.0L, 3), "0,000");
  EXPECT_EQ(FixedText(2.5L, 0), "3");
}

TEST_F(NumberTextTest, FixedTextOfExtremeValuesAndDecimalCounts) {
  EXPECT_EQ(FixedText(1.5L, -4), "2");
  const std::string huge = FixedText(1e300L, 0);
  EXPECT_EQ(huge.size(), 301u);
  EXPECT_EQ(huge.substr(0, 3), "100");
  EXPECT_EQ(huge.find_first_not_of('0', 1), std::string::npos);
  EXPECT_EQ(FixedText(-LDBL_MAX, 2).size(), 1 + 4933 + 1 + 2u);

  const std::string tiny = FixedText(LDBL_TRUE_MIN, 1000000);
  EXPECT_EQ(tiny.size(), 2 + static_cast<std::size_t>(kMaxFixedDecimals));
  EXPECT_EQ(tiny.substr(0, 6), "0.0000");
  EXPECT_EQ(tiny.substr(1 + 4951, 5), "36451");  // 3.6451995…e-4951 from decimal place 4951 on

  EXPECT_EQ(FixedText(std::numeric_limits<long double>::quiet_NaN(), 2), "NAN");
  EXPECT_EQ(FixedText(std::numeric_limits<long double>::infinity(), 2), "INF");
  EXPECT_EQ(FixedText(-std::numeric_limits<long double>::infinity(), 0), "-INF");
}

TEST_F(NumberTextTest, RoundHalfAwayRejectsWhatIsNoSixtyFourBitInteger) {
  EXPECT_EQ(RoundHalfAway(-9223372036854775000.0L), -9223372036854775000LL);
  // 18 significant digits: the 19-digit integers near 2^63 round past it.
  ExpectConvertError([] { RoundHalfAway(9223372036854775807.0L); },
                     "'9223372036854775810' is not a valid integer value");
  ExpectConvertError([] { RoundHalfAway(std::numeric_limits<long double>::quiet_NaN()); },
                     "'NAN' is not a valid integer value");
  ExpectConvertError([] { RoundHalfAway(1e19L); }, "'10000000000000000000' is not a valid integer value");
}

TEST_F(NumberTextTest, TextToIntReadsBlanksSignsAndHexadecimal) {
  EXPECT_EQ(TextToInt("42"), 42);
  EXPECT_EQ(TextToInt("   42"), 42);
  EXPECT_EQ(TextToInt("+7"), 7);
  EXPECT_EQ(TextToInt(" -7"), -7);
  EXPECT_EQ(TextToInt("007"), 7);
  EXPECT_EQ(TextToInt("$FF"), 255);
  EXPECT_EQ(TextToInt("0x1a"), 26);
  EXPECT_EQ(TextToInt("-$10"), -16);
  EXPECT_EQ(TextToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(TextToInt("$80000000"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(TextToInt("2147483647"), 2147483647);
  EXPECT_EQ(TextToInt("-2147483648"), std::numeric_limits<std::int32_t>::min());
}

TEST_F(NumberTextTest, TextToIntRejectsWithTheTextInTheMessage) {
  for (const char* text : {"", " ", "-", "+", "$", "0x", "12a", "12 ", "1.0", "- 5", "--1", "$G", "2147483648",
                           "-2147483649", "$100000000", "99999999999999999999999"}) {
    ExpectConvertError([text] { TextToInt(text); }, "'" + std::string(text) + "' is not a valid integer value");
  }
}

TEST_F(NumberTextTest, TextToInt64CoversTheWholeRange) {
  EXPECT_EQ(TextToInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(TextToInt64("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(TextToInt64("$FFFFFFFFFFFFFFFF"), -1);
  EXPECT_EQ(TextToInt64("2147483648"), 2147483648LL);
  ExpectConvertError([] { TextToInt64("9223372036854775808"); }, "'9223372036854775808' is not a valid integer value");
}

TEST_F(NumberTextTest, FloatToTextWritesFifteenSignificantDigits) {
  EXPECT_EQ(FloatToText(0), "0");
  EXPECT_EQ(FloatToText(-0.0L), "0");
  EXPECT_EQ(FloatToText(1.5), "1.5");
  EXPECT_EQ(FloatToText(-2.5), "-2.5");
  EXPECT_EQ(FloatToText(100), "100");
  EXPECT_EQ(FloatToText(0.1), "0.1");
  EXPECT_EQ(FloatToText(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(FloatToText(2.0 / 3), "0.666666666666667");
  EXPECT_EQ(FloatToText(999999999999999.0), "999999999999999");
  EXPECT_EQ(FloatToText(0.00001), "0.00001");
  EXPECT_EQ(FloatToText(0.000012345), "0.000012345");
}

TEST_F(NumberTextTest, FloatToTextUsesScientificFormOutsideItsRange) {
  EXPECT_EQ(FloatToText(1e15), "1E15");
  EXPECT_EQ(FloatToText(999999999999999.9), "1E15");  // rounding reaches the next power
  EXPECT_EQ(FloatToText(1.5e-7), "1.5E-7");
  EXPECT_EQ(FloatToText(0.000001), "1E-6");
  EXPECT_EQ(FloatToText(-1e-10), "-1E-10");
  EXPECT_EQ(FloatToText(123456789012345678.0), "1.23456789012346E17");
  EXPECT_EQ(FloatToText(std::numeric_limits<double>::infinity()), "INF");

  ScopedDecimalSeparator comma(',');
  EXPECT_EQ(FloatToText(1.1), "1,1");
  EXPECT_EQ(FloatToText(2.5e20), "2,5E20");
}

TEST_F(NumberTextTest, TextToFloatReadsTheLocaleSeparatorOnly) {
  EXPECT_EQ(TextToFloat("1.5"), 1.5L);
  EXPECT_EQ(TextToFloat("  -2.5e3 "), -2500.0L);
  EXPECT_EQ(TextToFloat("+.5"), 0.5L);
  EXPECT_EQ(TextToFloat("5."), 5.0L);
  EXPECT_EQ(TextToFloat("1E-7"), 1e-7L);
  EXPECT_EQ(TextToFloat("0.1"), 0.1L);  // nearest long double, not the double
  EXPECT_EQ(TextToFloat("1e-5000"), 0.0L);
  for (const char* text :
       {"", " ", ".", "-", "e5", "1e", "1e+", "1.5x", "1,5", "1 000", "NaN", "inf", "0x10", "1e5000", "1..5"}) {
    ExpectConvertError([text] { TextToFloat(text); },
                       "'" + std::string(text) + "' is not a valid floating point value");
  }

  ScopedDecimalSeparator comma(',');
  EXPECT_EQ(TextToFloat("1,5"), 1.5L);
  EXPECT_EQ(TextToFloat(" ,25E1"), 2.5L);
  ExpectConvertError([] { TextToFloat("1.5"); }, "'1.5' is not a valid floating point value");
}

TEST_F(NumberTextTest, GeneralTextReadsBack) {
  for (long double x : {1.5L, -2.25e-7L, 123456789012345.0L, 7.5e300L}) {
    EXPECT_EQ(TextToFloat(FloatToText(x)), x);
    ScopedDecimalSeparator comma(',');
    EXPECT_EQ(TextToFloat(FloatToText(x)), x);
  }
}

// The C library's own locale (set from the environment by Qt at start-up)
// must not leak into the texts: only DecimalSeparator() decides.
TEST_F(NumberTextTest, IgnoresTheCLibraryLocaleOfTheThread) {
  testing_support::CommaLocale german;
  if (!german.Available()) GTEST_SKIP() << "no German locale and no localedef";
  const locale_t comma = testing_support::WithoutLeakChecks(
      [] { return newlocale(LC_NUMERIC_MASK, testing_support::CommaLocale::kName, locale_t{}); });
  ASSERT_NE(comma, locale_t{});
  const locale_t previous = uselocale(comma);
  EXPECT_EQ(FixedText(1.25L, 2), "1.25");
  EXPECT_EQ(FixedText(2.5L, 0), "3");
  EXPECT_EQ(FloatToText(1.5e-7), "1.5E-7");
  EXPECT_EQ(FloatToText(0.25), "0.25");
  EXPECT_EQ(TextToFloat("0.25"), 0.25L);
  uselocale(previous);
  freelocale(comma);
}

}  // namespace
}  // namespace tintoral
