#pragma once
// Fills the system colour table from the window system's palette.
namespace tintoral {

// Qt palette roles for the colour numbers Qt has an equivalent of; the
// classic values stay for the others.
void LoadSystemColorsFromPalette();

}  // namespace tintoral
