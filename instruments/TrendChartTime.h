#pragma once
// Time for trend charts: the clock of arrival times, link time stamps, the
// wall-clock ticks of a time axis and the texts of times. Times are seconds
// since 1970-01-01 00:00 UTC, as doubles (a microsecond is kept for
// centuries).
#include <cstdint>
#include <string>
#include <vector>

namespace tintoral {

// The wall clock read once and then advanced by the steady clock, so that a
// change of the system clock neither reorders nor stalls a record.
double TrendClockSeconds();

// A link library's time stamp as seconds: the bits of a date-time double
// (days since 1899-12-30, UTC) or an integer count of milliseconds since
// 1970, whichever reads as a time within an hour of `arrival`; otherwise
// (no stamp, or a server clock that is far off) the arrival time.
double LinkTimeSeconds(std::uint64_t stamp, double arrival);

// A tick of a time axis: its time and its label.
struct TTimeTick {
  double time = 0;
  std::string label;
};

// Ticks on round local wall-clock times in [start, start + span], at the
// smallest of the steps 1 ms … 30 days that leaves room for `maxTicks`
// (weeks start on Mondays);
// labels as "hh:mm:ss.mmm", "hh:mm:ss", "hh:mm" or "dd/mm" (with the hour
// below a day's step when the span crosses days) as the step requires.
std::vector<TTimeTick> TimeTicks(double start, double span, int maxTicks);

// "2026-12-08T07:30:15.250Z" (a time outside the years 1900 … 9999: its
// number of seconds).
std::string IsoTimeText(double seconds);
// "07:30:15" in local time (with ".250" when `milliseconds`).
std::string ClockText(double seconds, bool milliseconds);

}  // namespace tintoral
