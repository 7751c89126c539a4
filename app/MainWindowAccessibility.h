#pragma once
// What screen readers learn about the main window beyond what its controls
// tell of themselves: each slider is named by the colour caption above it,
// each readout by the caption before it ("Luminancia (Y): 0,300"), each
// swatch by its caption; the vector diagram is a graphic named by the
// angle and modulus texts it draws and described by the U and V readouts;
// the question-mark button is named by the caption of the box it opens.

namespace tintoral {

// Registers the main window's describer. TForm1 calls it; calling it again
// does no harm.
void RegisterMainWindowAccessibility();

}  // namespace tintoral
