#pragma once
// Local wall-clock time for measuring intervals (frame-rate gate, wheel
// throttle) and for time stamps.

namespace tintoral {

// One millisecond as a date-time difference.
inline constexpr double kOneMillisecond = 1.0 / 86'400'000.0;

// The local time as a date-time value: days since 1899-12-30 00:00, the
// fraction being the time of day, in whole milliseconds.
//
// The wall clock is read once, at the first call, and from then on advanced
// by the steady clock. Setting the system clock back (or forward) while the
// program runs therefore never makes Now() jump: it never decreases and the
// difference of two readings is the time that really passed. The price is
// that later changes of the wall clock, daylight-saving switches included,
// are not followed until the program restarts.
double Now();

}  // namespace tintoral
