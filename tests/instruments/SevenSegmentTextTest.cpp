#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "instruments/SevenSegmentText.h"
#include "system/Locale.h"

namespace tintoral {
namespace {

// The main window's analog readouts: 4 digits, 3 decimals, spaces.
SevenSegmentRow MainAnalog(double value, bool showSign) { return AnalogReadoutRow(value, showSign, 4, 3, ilsSpaces); }

class AnalogRowUnderSeparator : public ::testing::TestWithParam<char> {
 protected:
  ScopedDecimalSeparator separator_{GetParam()};
};

TEST_P(AnalogRowUnderSeparator, MainWindowCasesPlaceTheMarkAfterTheIntegerPart) {
  struct Case {
    double value;
    bool showSign;
    const char* cells;
    int markAfter;
  };
  const Case cases[] = {
      {0.614, false, "0614", 1},   {0.5, true, "+0500", 2},   {-0.123, true, "-0123", 2},   {1.0, false, "1000", 1},
      {-0.0002, true, "-0000", 2}, {12.5, true, "+<<<<", -1}, {-9.9996, true, "->>>>", -1},
  };
  for (const Case& c : cases) {
    const SevenSegmentRow row = MainAnalog(c.value, c.showSign);
    EXPECT_EQ(row.cells, c.cells) << c.value;
    EXPECT_EQ(row.markAfterCell, c.markAfter) << c.value;
    if (c.markAfter >= 0) {
      EXPECT_EQ(row.markChar, GetParam()) << c.value;
    }
  }
}

TEST_P(AnalogRowUnderSeparator, DefaultsPadTheIntegerPartAndRoundHalfAway) {
  const SevenSegmentRow pi = AnalogReadoutRow(3.14159, true, 4, 2, ilsSpaces);
  EXPECT_EQ(pi.cells, "+ 314");
  EXPECT_EQ(pi.markAfterCell, 3);
  EXPECT_EQ(AnalogReadoutRow(3.14159, false, 4, 2, ilsZeros).cells, "0314");
  EXPECT_EQ(AnalogReadoutRow(0.0005, false, 4, 3, ilsSpaces).cells, "0001");
  EXPECT_EQ(AnalogReadoutRow(-0.0, true, 4, 3, ilsSpaces).cells, "+0000");
}

TEST_P(AnalogRowUnderSeparator, PrecisionZeroHasNoMarkAndOverflowsPastTheDigits) {
  const SevenSegmentRow rounded = AnalogReadoutRow(2.5, true, 4, 0, ilsSpaces);
  EXPECT_EQ(rounded.cells, "+   3");
  EXPECT_EQ(rounded.markAfterCell, -1);
  EXPECT_EQ(AnalogReadoutRow(9999.4, true, 4, 0, ilsSpaces).cells, "+9999");
  EXPECT_EQ(AnalogReadoutRow(12345.4, true, 4, 0, ilsSpaces).cells, "+<<<<");
  EXPECT_EQ(AnalogReadoutRow(2.5, false, 4, 0, ilsNone).cells, "3");
}

TEST_P(AnalogRowUnderSeparator, OneDigitWithADecimalAlwaysOverflows) {
  EXPECT_EQ(AnalogReadoutRow(0.0, false, 1, 1, ilsSpaces).cells, "<");
  EXPECT_EQ(AnalogReadoutRow(-0.01, true, 1, 1, ilsSpaces).cells, "->");
}

TEST_P(AnalogRowUnderSeparator, HugeAndInfiniteValuesOverflow) {
  EXPECT_EQ(AnalogReadoutRow(1e15, true, 4, 3, ilsSpaces).cells, "+<<<<");
  EXPECT_EQ(AnalogReadoutRow(-2e15, true, 4, 3, ilsSpaces).cells, "->>>>");
  EXPECT_EQ(AnalogReadoutRow(-std::numeric_limits<double>::infinity(), false, 4, 0, ilsSpaces).cells, ">>>>");
  EXPECT_EQ(AnalogReadoutRow(std::numeric_limits<double>::infinity(), false, 4, 2, ilsSpaces).cells, "<<<<");
}

INSTANTIATE_TEST_SUITE_P(BothSeparators, AnalogRowUnderSeparator, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "Point" : "Comma"; });

TEST(AnalogRow, AnUnknownSeparatorLeavesTheTextWhole) {
  ScopedDecimalSeparator odd('\'');
  const SevenSegmentRow row = AnalogReadoutRow(0.5, false, 6, 1, ilsSpaces);
  // "0'5" is all integer part, padded to 5; the empty fraction becomes "0".
  EXPECT_EQ(row.cells, "  0'50");
  EXPECT_EQ(row.markAfterCell, 5);
  EXPECT_EQ(row.markChar, ',');
}

TEST(IntegerRow, MainWindowValuesFillWithSpaces) {
  EXPECT_EQ(IntegerReadoutRow(0, false, 3, ilsSpaces).cells, "  0");
  EXPECT_EQ(IntegerReadoutRow(7, false, 3, ilsSpaces).cells, "  7");
  EXPECT_EQ(IntegerReadoutRow(42, false, 3, ilsSpaces).cells, " 42");
  EXPECT_EQ(IntegerReadoutRow(100, false, 3, ilsSpaces).cells, "100");
  EXPECT_EQ(IntegerReadoutRow(1000, false, 3, ilsSpaces).cells, "<<<");
  EXPECT_EQ(IntegerReadoutRow(42, false, 3, ilsSpaces).markAfterCell, -1);
}

TEST(IntegerRow, SignCellAndOverflowArrowsFollowTheSign) {
  EXPECT_EQ(IntegerReadoutRow(-42, true, 4, ilsSpaces).cells, "-  42");
  EXPECT_EQ(IntegerReadoutRow(0, true, 4, ilsSpaces).cells, "+   0");
  EXPECT_EQ(IntegerReadoutRow(12345, true, 4, ilsSpaces).cells, "+<<<<");
  EXPECT_EQ(IntegerReadoutRow(-12345, true, 4, ilsSpaces).cells, "->>>>");
  EXPECT_EQ(IntegerReadoutRow(std::numeric_limits<std::int32_t>::min(), true, 10, ilsSpaces).cells, "-2147483648");
}

TEST(IntegerRow, LeadingStyles) {
  EXPECT_EQ(IntegerReadoutRow(7, false, 4, ilsZeros).cells, "0007");
  EXPECT_EQ(IntegerReadoutRow(7, false, 4, ilsNone).cells, "7");
  EXPECT_EQ(IntegerReadoutRow(-7, true, 4, ilsZeros).cells, "-0007");
}

}  // namespace
}  // namespace tintoral
