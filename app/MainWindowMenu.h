#pragma once
// The main window's context menu (right button, or the menu key): the
// test-signal window, the About box, "Guardar imagen…" and "Copiar valores",
// each with its key.
namespace tintoral {

class TForm1;

// Installs the menu on the window's native window (once it exists).
void InstallMainWindowMenu(TForm1& form);

}  // namespace tintoral
