#pragma once
// A scratch file name that no other test can share: ctest runs the tests of
// one suite as separate processes at once, and other checkouts may run the
// same suite on this machine at the same time.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace tintoral::test {

inline std::string TestTempPath(const std::string& name) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string test = info != nullptr ? std::string(info->name()) + "-" : std::string();
  std::string unique = "tintoral-" + std::to_string(getpid()) + "-" + test + name;
  for (char& c : unique)
    if (c == '/') c = '_';
  return ::testing::TempDir() + unique;
}

}  // namespace tintoral::test
