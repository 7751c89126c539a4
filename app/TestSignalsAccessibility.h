#pragma once
// What screen readers learn about the test-signal window: the typing fields
// are editable texts named by the caption before them and showing their
// text; the bar strip (its focusable frame) is a graphic named by the bar
// the sliders show, its description listing the bars; the vectorscope is a
// graphic named by the current U and V. Labels and panels speak for
// themselves.
namespace tintoral {

// Registers the window's describers; calling it again does no harm.
void RegisterTestSignalsAccessibility();

}  // namespace tintoral
