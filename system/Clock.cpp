#include "system/Clock.h"

#include <chrono>
#include <cstdint>
#include <ctime>

namespace tintoral {
namespace {

using Milliseconds = std::chrono::milliseconds;

// Days from the date-time origin 1899-12-30 to the Unix epoch 1970-01-01.
constexpr std::int64_t kUnixEpochDay = 25569;
constexpr std::int64_t kMillisecondsPerDay = 86'400'000;

std::int64_t LocalMillisecondsSinceOrigin(std::chrono::system_clock::time_point wallTime) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(wallTime);
  std::tm local{};
  localtime_r(&seconds, &local);
  const std::int64_t utcMilliseconds = std::chrono::duration_cast<Milliseconds>(wallTime.time_since_epoch()).count();
  return utcMilliseconds + static_cast<std::int64_t>(local.tm_gmtoff) * 1000 + kUnixEpochDay * kMillisecondsPerDay;
}

struct Anchor {
  std::chrono::steady_clock::time_point steady;
  std::int64_t localMilliseconds;
};

const Anchor& ClockAnchor() {
  static const Anchor anchor{std::chrono::steady_clock::now(),
                             LocalMillisecondsSinceOrigin(std::chrono::system_clock::now())};
  return anchor;
}

}  // namespace

double Now() {
  const Anchor& anchor = ClockAnchor();
  const std::int64_t elapsed =
      std::chrono::duration_cast<Milliseconds>(std::chrono::steady_clock::now() - anchor.steady).count();
  return static_cast<double>(anchor.localMilliseconds + elapsed) / kMillisecondsPerDay;
}

}  // namespace tintoral
