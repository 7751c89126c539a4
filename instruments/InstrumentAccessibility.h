#pragma once
// What screen readers learn about the instruments (through the window
// layer's describers, platform/window/AccessibleDescription.h): the slider
// as a slider with its position and range, which assistive technology may
// set as a user's step, named by its caption alone where one names it; the
// seven-segment readouts and the LCD with the text they show, as their name
// (after the caption that names a readout) and as text; the shadowed label
// with its caption.

namespace tintoral {

// Registers the instruments' describers. RegisterInstruments calls it;
// calling it again does no harm.
void RegisterInstrumentAccessibility();

}  // namespace tintoral
