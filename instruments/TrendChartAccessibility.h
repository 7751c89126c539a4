#pragma once
// What screen readers learn about a trend chart: a graphic named by its
// hint (or name), described by each channel's caption and newest value, or
// its value at the cursor while the cursor is shown.

namespace tintoral {

// RegisterInstruments calls it; calling it again does no harm.
void RegisterTrendChartAccessibility();

}  // namespace tintoral
