#pragma once
// A trace of the errors the instrument base swallows (in paint and in key
// and mouse handling), for a developer hunting a fault. Off by default:
// with TINTORAL_TRACE_SWALLOWED_ERRORS=1 in the environment each one goes
// to standard error as
//   tintoral: Slider1 (TiSlider) MouseDown swallowed: <message>
// at most kSwallowedErrorLinesPerSecond lines a second; the rest are
// counted and the count is written before the next line let through.
#include <string>

namespace tintoral {

class TComponent;

inline constexpr const char* kSwallowedErrorTraceVariable = "TINTORAL_TRACE_SWALLOWED_ERRORS";
inline constexpr int kSwallowedErrorLinesPerSecond = 10;

// Writes the line when the variable is set to anything but "" or "0".
void TraceSwallowedError(const TComponent& control, const char* handler, const std::string& message);

}  // namespace tintoral
