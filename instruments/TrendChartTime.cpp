#include "instruments/TrendChartTime.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace tintoral {
namespace {

constexpr double kDaysFrom1899To1970 = 25569.0;
constexpr double kSecondsPerDay = 86400.0;
// A stamp further than this from the arrival time is not believed.
constexpr double kLinkClockTolerance = 3600.0;

// Times before 1900 or after 9999 are not times anyone charts; the
// calendar functions are not asked about them.
bool Plausible(double seconds) { return std::isfinite(seconds) && seconds > -2.2e9 && seconds < 2.5e11; }

// The local offset from UTC at a time, in seconds.
double LocalOffset(double seconds) {
  if (!Plausible(seconds)) return 0;
  const auto t = static_cast<std::time_t>(std::floor(seconds));
  std::tm local{};
  if (!localtime_r(&t, &local)) return 0;
  return static_cast<double>(local.tm_gmtoff);
}

// Whole milliseconds and the broken-down UTC time of their second.
struct TimeParts {
  std::tm tm{};
  int milliseconds = 0;
};

TimeParts PartsOf(double seconds) {
  const double ms = std::floor(seconds * 1000.0 + 0.5);
  const double whole = std::floor(ms / 1000.0);
  TimeParts parts;
  parts.milliseconds = static_cast<int>(ms - whole * 1000.0);
  const auto t = static_cast<std::time_t>(whole);
  gmtime_r(&t, &parts.tm);
  return parts;
}

enum class TimeStyle { Milliseconds, Seconds, Minutes, DayAndMinutes, Day, Iso };

std::string Format(TimeStyle style, const TimeParts& p) {
  char text[64];
  const std::tm& t = p.tm;
  switch (style) {
    case TimeStyle::Milliseconds:
      std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", t.tm_hour, t.tm_min, t.tm_sec, p.milliseconds);
      break;
    case TimeStyle::Seconds: std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec); break;
    case TimeStyle::Minutes: std::snprintf(text, sizeof text, "%02d:%02d", t.tm_hour, t.tm_min); break;
    case TimeStyle::DayAndMinutes:
      std::snprintf(text, sizeof text, "%02d/%02d %02d:%02d", t.tm_mday, t.tm_mon + 1, t.tm_hour, t.tm_min);
      break;
    case TimeStyle::Day: std::snprintf(text, sizeof text, "%02d/%02d", t.tm_mday, t.tm_mon + 1); break;
    case TimeStyle::Iso:
      std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                    t.tm_hour, t.tm_min, t.tm_sec, p.milliseconds);
      break;
  }
  return text;
}

constexpr double kTickSteps[] = {0.001, 0.002, 0.005, 0.01,  0.02,  0.05,  0.1,   0.2,    0.5,    1,
                                 2,     5,     10,    15,    30,    60,    120,   300,    600,    900,
                                 1800,  3600,  7200,  10800, 21600, 43200, 86400, 172800, 604800, 2592000};

}  // namespace

double TrendClockSeconds() {
  using namespace std::chrono;
  static const double wallAtStart = duration<double>(system_clock::now().time_since_epoch()).count();
  static const steady_clock::time_point steadyAtStart = steady_clock::now();
  return wallAtStart + duration<double>(steady_clock::now() - steadyAtStart).count();
}

double LinkTimeSeconds(std::uint64_t stamp, double arrival) {
  if (stamp == 0) return arrival;
  double days = 0;
  std::memcpy(&days, &stamp, sizeof days);
  const double fromDateTime = (days - kDaysFrom1899To1970) * kSecondsPerDay;
  if (Plausible(fromDateTime) && std::fabs(fromDateTime - arrival) <= kLinkClockTolerance) return fromDateTime;
  const double fromMilliseconds = static_cast<double>(stamp) / 1000.0;
  if (std::fabs(fromMilliseconds - arrival) <= kLinkClockTolerance) return fromMilliseconds;
  return arrival;
}

std::vector<TTimeTick> TimeTicks(double start, double span, int maxTicks) {
  std::vector<TTimeTick> ticks;
  if (!Plausible(start) || !Plausible(start + span) || !(span > 0) || maxTicks < 1) return ticks;
  double step = kTickSteps[std::size(kTickSteps) - 1];
  for (double candidate : kTickSteps) {
    if (span / candidate <= maxTicks) {
      step = candidate;
      break;
    }
  }
  const double offset = LocalOffset(start);
  const bool crossesDays = span > kSecondsPerDay;
  const TimeStyle style = step < 1        ? TimeStyle::Milliseconds
                          : step < 60     ? TimeStyle::Seconds
                          : step >= 86400 ? TimeStyle::Day
                          : crossesDays   ? TimeStyle::DayAndMinutes
                                          : TimeStyle::Minutes;
  // Local times that are multiples of the step (weeks from a Monday, 5
  // January 1970); at most a few hundred.
  const double origin = step == 604800 ? 4 * kSecondsPerDay : 0;
  double local = std::ceil((start + offset - origin) / step) * step + origin;
  for (int i = 0; i < 1000 && local - offset <= start + span; ++i, local += step)
    ticks.push_back({local - offset, Format(style, PartsOf(local))});
  return ticks;
}

std::string IsoTimeText(double seconds) {
  if (!Plausible(seconds)) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", seconds);
    return text;
  }
  return Format(TimeStyle::Iso, PartsOf(seconds));
}

std::string ClockText(double seconds, bool milliseconds) {
  if (!Plausible(seconds)) return "?";
  return Format(milliseconds ? TimeStyle::Milliseconds : TimeStyle::Seconds, PartsOf(seconds + LocalOffset(seconds)));
}

}  // namespace tintoral
