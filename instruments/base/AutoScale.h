#pragma once
// Auto-scale: choosing round scale limits or round tick positions for a
// value range. "Nice" tick steps are 1, 2, 2.5, 5 and 7.5 times a power of ten.
#include <cstdint>

namespace tintoral {

// A major tick count with the limits of the first and last major tick.
struct TAutoScaleResult {
  std::int32_t count = 0;
  double lo = 0;
  double hi = 0;
};

// A window of ticks placed on multiples of its step.
struct TRangeFit {
  bool ok = false;
  double lo = 0;
  double hi = 0;
};

// The number of major ticks n in 2..maxTicks whose step span / (n - 1) is
// nice and which lies closest to desiredTicks (the larger n on a tie);
// maxTicks + 1 when no n qualifies.
std::int32_t NiceTickCount(std::int32_t desiredTicks, std::int32_t maxTicks, double span);

// A window of width `span` with `count` ticks on multiples of its step that
// covers [min, max] (FitRangeOutside) or lies inside it with its top less
// than one step below max (FitRangeInside).
TRangeFit FitRangeOutside(std::int32_t count, double span, double min, double max);
TRangeFit FitRangeInside(std::int32_t count, double span, double min, double max);

// Round limits around [min, max] (AutoScaleOutside), or the largest round
// tick range inside it (AutoScaleInside). Equal or non-finite limits, limits
// whose span overflows, and ranges that no round candidate fits give two
// ticks on the limits themselves.
TAutoScaleResult AutoScaleOutside(std::int32_t desiredTicks, std::int32_t maxTicks, double min, double max);
TAutoScaleResult AutoScaleInside(std::int32_t desiredTicks, std::int32_t maxTicks, double min, double max);

}  // namespace tintoral
