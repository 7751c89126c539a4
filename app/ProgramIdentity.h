#pragma once
// How the desktop knows the running program: the name its windows carry
// (the class part of WM_CLASS is the desktop entry's name, so docks and task
// bars tie the window to its launcher) and the icon on every window (the
// same pictures the package installs, drawn by tools/iconpainter and
// compiled into the program).
#include <cstdint>
#include <span>
#include <vector>

namespace tintoral {

// The desktop entry's name, packaging/org.tintoral.Tintoral.desktop.
inline constexpr char kDesktopEntryName[] = "org.tintoral.Tintoral";

// The icon's PNG streams, one per installed size, smallest first.
std::vector<std::span<const std::uint8_t>> ProgramIconPngs();

// Sets the application's name and desktop file name and its window icon.
// Call after the QApplication exists and before the first window is shown.
void UseProgramIdentity();

}  // namespace tintoral
