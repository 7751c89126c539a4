#include <gtest/gtest.h>

#include <string>

#include "system/Locale.h"
#include "tests/system/TestLocales.h"

namespace tintoral {
namespace {

using testing_support::CommaLocale;
using testing_support::EnvironmentScope;
using testing_support::WithoutLeakChecks;

TEST(Locale, NumericLocaleNameFollowsTheEnvironmentPrecedence) {
  EnvironmentScope environment;
  environment.Set("LC_ALL", nullptr);
  environment.Set("LC_NUMERIC", nullptr);
  environment.Set("LANG", nullptr);
  EXPECT_EQ(NumericLocaleName(), "");
  environment.Set("LANG", "es_ES.UTF-8");
  EXPECT_EQ(NumericLocaleName(), "es_ES.UTF-8");
  environment.Set("LC_NUMERIC", "de_DE.UTF-8");
  EXPECT_EQ(NumericLocaleName(), "de_DE.UTF-8");
  environment.Set("LC_ALL", "");  // set but empty: skipped
  EXPECT_EQ(NumericLocaleName(), "de_DE.UTF-8");
  environment.Set("LC_ALL", "C");
  EXPECT_EQ(NumericLocaleName(), "C");
}

TEST(Locale, StandardLocalesUseThePointAndUnknownOnesGiveNothing) {
  EXPECT_EQ(DecimalSeparatorOfLocale("C"), '.');
  EXPECT_EQ(DecimalSeparatorOfLocale("POSIX"), '.');
  EXPECT_EQ(DecimalSeparatorOfLocale("C.UTF-8"), '.');
  EXPECT_EQ(DecimalSeparatorOfLocale("xx_NOWHERE.UTF-8"), std::nullopt);
  EXPECT_EQ(DecimalSeparatorOfLocale("../../etc"), std::nullopt);
}

TEST(Locale, GermanLocaleUsesTheComma) {
  CommaLocale german;
  if (!german.Available()) GTEST_SKIP() << "no German locale and no localedef";
  EXPECT_EQ(WithoutLeakChecks([] { return DecimalSeparatorOfLocale(CommaLocale::kName); }), ',');
  // The codeset spelled the other way.
  EXPECT_EQ(WithoutLeakChecks([] { return DecimalSeparatorOfLocale("de_DE.utf8"); }), ',');
}

TEST(Locale, ScopedSeparatorsNestAndRestore) {
  const char fromEnvironment = DecimalSeparator();
  {
    ScopedDecimalSeparator comma(',');
    EXPECT_EQ(DecimalSeparator(), ',');
    {
      ScopedDecimalSeparator point('.');
      EXPECT_EQ(DecimalSeparator(), '.');
    }
    EXPECT_EQ(DecimalSeparator(), ',');
  }
  EXPECT_EQ(DecimalSeparator(), fromEnvironment);
}

}  // namespace
}  // namespace tintoral
