#include <gtest/gtest.h>

#include <utility>

#include "system/DynamicLibrary.h"

namespace tintoral {
namespace {

TEST(DynamicLibrary, FindsExportedFunctionsByName) {
  DynamicLibrary math("libm.so.6");
  ASSERT_TRUE(math.Loaded()) << math.LoadError();
  auto* cosine = math.Function<double(double)>("cos");
  ASSERT_NE(cosine, nullptr);
  EXPECT_EQ(cosine(0.0), 1.0);
  EXPECT_EQ(math.Function<double(double)>("no_such_function"), nullptr);
}

TEST(DynamicLibrary, AMissingFileIsNotLoaded) {
  DynamicLibrary missing("/nonexistent/libtintoral_nothing.so");
  EXPECT_FALSE(missing.Loaded());
  EXPECT_NE(missing.LoadError().find("libtintoral_nothing.so"), std::string::npos);
  EXPECT_EQ(missing.Symbol("cos"), nullptr);

  DynamicLibrary nothing;
  EXPECT_FALSE(nothing.Loaded());
  EXPECT_EQ(nothing.Symbol("cos"), nullptr);
}

TEST(DynamicLibrary, MovesOwnershipAndUnloads) {
  DynamicLibrary first("libm.so.6");
  DynamicLibrary second(std::move(first));
  EXPECT_FALSE(first.Loaded());  // NOLINT: moved-from state is specified
  ASSERT_TRUE(second.Loaded());

  DynamicLibrary third;
  third = std::move(second);
  EXPECT_FALSE(second.Loaded());  // NOLINT
  EXPECT_NE(third.Symbol("sin"), nullptr);
  third.Unload();
  EXPECT_FALSE(third.Loaded());
  EXPECT_EQ(third.Symbol("sin"), nullptr);
}

}  // namespace
}  // namespace tintoral
