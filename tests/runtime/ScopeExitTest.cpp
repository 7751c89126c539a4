#include <gtest/gtest.h>

#include <stdexcept>

#include "runtime/ScopeExit.h"

namespace tintoral {
namespace {

TEST(ScopeExitTest, RunsOnReturnAndOnExceptionButNotWhenReleased) {
  int runs = 0;
  {
    const TScopeExit count([&] { ++runs; });
  }
  EXPECT_EQ(runs, 1);
  EXPECT_THROW(
      {
        const TScopeExit count([&] { ++runs; });
        throw std::runtime_error("unwind");
      },
      std::runtime_error);
  EXPECT_EQ(runs, 2);
  {
    TScopeExit count([&] { ++runs; });
    count.Release();
  }
  EXPECT_EQ(runs, 2);
}

}  // namespace
}  // namespace tintoral
