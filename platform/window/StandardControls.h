#pragma once
// Registers the standard controls (TPanel, TBevel, TLabel, TPageControl,
// TTabSheet, TSpeedButton, TButton, TImage) with the class registry, so
// that form streams can create them by name. Calling it again does no harm.
namespace tintoral {

void RegisterStandardControls();

}  // namespace tintoral
