#include <gtest/gtest.h>

#include <limits>

#include "runtime/Exception.h"
#include "runtime/Variant.h"
#include "system/Locale.h"

namespace tintoral {
namespace {

TEST(Variant, TypesAndEmptyValues) {
  EXPECT_EQ(TVariant().Type(), TVarType::Empty);
  EXPECT_EQ(TVariant(3).Type(), TVarType::Integer);
  EXPECT_EQ(TVariant(std::int64_t{3}).Type(), TVarType::Int64);
  EXPECT_EQ(TVariant(3LL).Type(), TVarType::Int64);
  EXPECT_EQ(TVariant(std::uint8_t{200}).Type(), TVarType::Integer);
  EXPECT_EQ(TVariant(4000000000u).ToInt64(), 4000000000);
  EXPECT_EQ(TVariant(2.5).Type(), TVarType::Double);
  EXPECT_EQ(TVariant(true).Type(), TVarType::Boolean);
  EXPECT_EQ(TVariant("x").Type(), TVarType::String);
  EXPECT_STREQ(TVariant("x").TypeName(), "String");
  EXPECT_EQ(TVariant().ToInt(), 0);
  EXPECT_EQ(TVariant().ToDouble(), 0.0);
  EXPECT_EQ(TVariant().ToString(), "");
  EXPECT_FALSE(TVariant().ToBool());
}

TEST(Variant, DoublesBecomeIntegersRoundedHalfToEven) {
  EXPECT_EQ(TVariant(2.5).ToInt(), 2);
  EXPECT_EQ(TVariant(3.5).ToInt(), 4);
  EXPECT_EQ(TVariant(-2.5).ToInt(), -2);
  EXPECT_EQ(TVariant(-3.5).ToInt(), -4);
  EXPECT_EQ(TVariant(2.4999).ToInt(), 2);
  EXPECT_EQ(TVariant(-0.5).ToInt(), 0);
  EXPECT_EQ(TVariant(2147483647.4).ToInt(), 2147483647);
  EXPECT_THROW(TVariant(2147483647.5).ToInt(), ConvertError);
  EXPECT_THROW(TVariant(std::numeric_limits<double>::quiet_NaN()).ToInt(), ConvertError);
  EXPECT_THROW(TVariant(std::int64_t{1} << 40).ToInt(), ConvertError);
  EXPECT_EQ(TVariant(9.0e15).ToInt64(), 9000000000000000);
  EXPECT_THROW(TVariant(1.0e19).ToInt64(), ConvertError);
}

TEST(Variant, BooleansAndIntegers) {
  EXPECT_EQ(TVariant(true).ToInt(), -1);
  EXPECT_EQ(TVariant(false).ToInt(), 0);
  EXPECT_TRUE(TVariant(5).ToBool());
  EXPECT_FALSE(TVariant(0.0).ToBool());
  EXPECT_TRUE(TVariant("TRUE").ToBool());
  EXPECT_FALSE(TVariant("false").ToBool());
  EXPECT_TRUE(TVariant("2").ToBool());
  EXPECT_THROW(TVariant("maybe").ToBool(), ConvertError);
  EXPECT_EQ(TVariant(true).ToString(), "True");
}

TEST(Variant, TextConversionsFollowTheLocaleSeparator) {
  ScopedDecimalSeparator comma(',');
  EXPECT_EQ(TVariant(2.5).ToString(), "2,5");
  EXPECT_EQ(TVariant("2,5").ToDouble(), 2.5);
  EXPECT_EQ(TVariant(" 42").ToInt(), 42);
  EXPECT_EQ(TVariant("$1F").ToInt(), 31);
  EXPECT_EQ(TVariant("2,5").ToInt(), 2);  // a float text, rounded half to even
  EXPECT_THROW(TVariant("12abc").ToInt(), ConvertError);
  EXPECT_THROW(TVariant("4000000000").ToInt(), ConvertError);
  EXPECT_EQ(TVariant("4000000000").ToInt64(), 4000000000);
  EXPECT_EQ(TVariant(-7).ToString(), "-7");
}

TEST(Variant, ComparisonsByValue) {
  EXPECT_EQ(TVariant(2), TVariant(2.0));
  EXPECT_EQ(TVariant(std::int64_t{2}), TVariant(2));
  EXPECT_EQ(TVariant(true), TVariant(-1));
  EXPECT_LT(TVariant(1), TVariant(1.5));
  EXPECT_EQ(TVariant(), TVariant(0));
  EXPECT_EQ(TVariant(), TVariant(""));
  EXPECT_LT(TVariant("abc"), TVariant("abd"));
  EXPECT_EQ(TVariant("10"), TVariant(10));
  EXPECT_THROW((void)(TVariant("ten") == TVariant(10)), ConvertError);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(TVariant(nan) == TVariant(nan));
}

}  // namespace
}  // namespace tintoral
