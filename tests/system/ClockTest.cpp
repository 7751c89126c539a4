#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <thread>

#include "system/Clock.h"

namespace tintoral {
namespace {

constexpr double kMillisecondsPerDay = 86'400'000.0;

std::tm LocalCalendarNow() {
  const std::time_t seconds = std::time(nullptr);
  std::tm local{};
  localtime_r(&seconds, &local);
  return local;
}

TEST(Clock, NowIsTheLocalDateInDaysSince18991230) {
  // Repeat if the date changes while reading (midnight).
  for (int attempt = 0; attempt < 3; ++attempt) {
    const std::tm before = LocalCalendarNow();
    const double now = Now();
    const std::tm after = LocalCalendarNow();
    if (before.tm_yday != after.tm_yday) continue;

    using namespace std::chrono;
    const year_month_day date{sys_days{days{static_cast<int>(std::floor(now))}} - days{25569}};
    EXPECT_EQ(static_cast<int>(date.year()), after.tm_year + 1900);
    EXPECT_EQ(static_cast<unsigned>(date.month()), static_cast<unsigned>(after.tm_mon + 1));
    EXPECT_EQ(static_cast<unsigned>(date.day()), static_cast<unsigned>(after.tm_mday));
    const double secondOfDay = (now - std::floor(now)) * 86400;
    const int expectedSecond = after.tm_hour * 3600 + after.tm_min * 60 + after.tm_sec;
    EXPECT_NEAR(secondOfDay, expectedSecond, 2.0);
    return;
  }
  FAIL() << "the date kept changing";
}

TEST(Clock, NowNeverDecreasesAndCountsWholeMilliseconds) {
  double previous = Now();
  for (int i = 0; i < 10000; ++i) {
    const double now = Now();
    ASSERT_GE(now, previous);
    previous = now;
  }
  const double milliseconds = previous * kMillisecondsPerDay;
  EXPECT_NEAR(milliseconds, std::round(milliseconds), 1e-3);
}

TEST(Clock, IntervalsAreMeasuredInDays) {
  const double start = Now();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const double elapsed = Now() - start;
  EXPECT_GE(elapsed, 29 * kOneMillisecond);  // sleeping lasts at least that long
  EXPECT_LT(elapsed, 1.0 / 24);              // and surely less than an hour
}

}  // namespace
}  // namespace tintoral
