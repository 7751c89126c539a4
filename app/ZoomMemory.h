#pragma once
// The main window's zoom factor as the user left it, kept per user in Qt's
// settings: $XDG_CONFIG_HOME/tintoral/tintoral.conf (~/.config when unset).
namespace tintoral {

// 1 when nothing was remembered or what was is no factor.
int RememberedZoom();
void RememberZoom(int factor);

}  // namespace tintoral
