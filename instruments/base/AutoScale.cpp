#include "instruments/base/AutoScale.h"

#include <array>
#include <cmath>

#include "instruments/base/DrawingHelpers.h"

namespace tintoral {

namespace {

// Tick steps, as thousandths of their power of ten, that count as round.
constexpr std::array<long double, 10> kNiceStepMantissas = {100, 200, 250, 500, 750, 1000, 2000, 2500, 5000, 7500};

// Walks longer than this start with one jump close to their end, so that a
// narrow range far from zero does not take billions of steps.
constexpr double kMaxWalkSteps = 10000;

bool IsNiceStep(double step) {
  if (!(step > 0) || !std::isfinite(step)) return false;
  const long double exponent = std::trunc(Log10(step));
  const long double mantissa = std::nearbyint(step / Power(10, exponent) * 1000);
  for (long double nice : kNiceStepMantissas)
    if (mantissa == nice) return true;
  return false;
}

// Moves value by step while keepGoing(value) holds; `target` is where the
// walk is expected to end. A step too small to change the value ends it.
template <class Condition>
double Walk(double value, double step, double target, Condition keepGoing) {
  const double steps = (target - value) / step;
  if (steps > kMaxWalkSteps && std::isfinite(steps)) value += (std::floor(steps) - 2) * step;
  while (keepGoing(value)) {
    const double next = value + step;
    if (next == value) break;
    value = next;
  }
  return value;
}

// The power of ten that sets the candidate spans of a range of width r.
long double SpanUnit(double r) {
  long double unit = Power(10, std::trunc(Log10(r)));
  if (r < 1) unit /= 10;
  return unit;
}

// Equal or non-finite limits, or limits so far apart that their span
// overflows a double.
bool Degenerate(double min, double max) {
  return max == min || !std::isfinite(max) || !std::isfinite(min) || !std::isfinite(max - min);
}

// Two ticks on the limits themselves: what a range gets that no round
// candidate fits, so that it still holds both limits.
TAutoScaleResult OnTheLimits(double min, double max) { return {2, min, max}; }

}  // namespace

std::int32_t NiceTickCount(std::int32_t desiredTicks, std::int32_t maxTicks, double span) {
  std::int32_t best = -1;
  for (std::int32_t n = 2; n <= maxTicks; ++n) {
    if (!IsNiceStep(span / (n - 1))) continue;
    if (best < 0 || std::abs(desiredTicks - n) <= std::abs(desiredTicks - best)) best = n;
  }
  return best < 0 ? maxTicks + 1 : best;
}

TRangeFit FitRangeOutside(std::int32_t count, double span, double min, double max) {
  const double h = span / (count - 1);
  TRangeFit fit;
  if (max > 0 && min < 0) {
    fit.lo = Walk(span, -h, min, [min](double lo) { return lo > min; });
    fit.hi = fit.lo + span;
  } else if (max > 0) {
    fit.hi = Walk(0, h, max, [max](double hi) { return hi < max; });
    fit.lo = fit.hi - span;
    while (min >= 0 && fit.lo < 0) {
      fit.lo += h;
      fit.hi += h;
    }
  } else {
    fit.lo = Walk(0, -h, min, [min](double lo) { return lo > min; });
    fit.hi = fit.lo + span;
    if (fit.hi > 0) {
      fit.lo -= h;
      fit.hi -= h;
    }
  }
  fit.ok = fit.hi >= max && fit.lo <= min;
  return fit;
}

TRangeFit FitRangeInside(std::int32_t count, double span, double min, double max) {
  const double h = span / (count - 1);
  TRangeFit fit;
  if (max > 0 && min < 0) {
    fit.lo = Walk(span, -h, min, [min](double lo) { return lo >= min; }) + h;
    fit.hi = fit.lo + span;
  } else if (min >= 0) {
    fit.lo = Walk(0, h, min, [min](double lo) { return lo < min; });
    fit.hi = fit.lo + span;
  } else {
    fit.hi = Walk(0, -h, max, [max](double hi) { return hi > max; });
    fit.lo = fit.hi - span;
  }
  fit.ok = fit.hi <= max && fit.lo >= min && fit.hi + h > max;
  return fit;
}

TAutoScaleResult AutoScaleOutside(std::int32_t desiredTicks, std::int32_t maxTicks, double min, double max) {
  if (Degenerate(min, max)) return OnTheLimits(min, max);
  const double r = std::fabs(max - min);
  const long double unit = SpanUnit(r);
  for (int i = 2; i <= 40; ++i) {
    const double span = static_cast<double>(unit * 0.5L * i);
    if (r > span) continue;
    const std::int32_t count = NiceTickCount(desiredTicks, maxTicks, span);
    if (count > maxTicks) continue;
    const TRangeFit fit = FitRangeOutside(count, span, min, max);
    if (fit.ok) return {count, fit.lo, fit.hi};
  }
  return OnTheLimits(min, max);
}

TAutoScaleResult AutoScaleInside(std::int32_t desiredTicks, std::int32_t maxTicks, double min, double max) {
  if (Degenerate(min, max)) return OnTheLimits(min, max);
  const double r = std::fabs(max - min);
  const long double unit = SpanUnit(r);
  for (int k = 100; k >= 2; --k) {
    const double span = static_cast<double>(unit * 0.1L * k);
    if (r < span) continue;
    for (std::int32_t t = maxTicks; t >= 2; --t) {
      const std::int32_t count = NiceTickCount(desiredTicks, t, span);
      if (t < count) continue;
      const TRangeFit fit = FitRangeInside(count, span, min, max);
      if (fit.ok) return {count, fit.lo, fit.hi};
    }
  }
  return OnTheLimits(min, max);
}

}  // namespace tintoral
