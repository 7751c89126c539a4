#include "app/ProgramIdentity.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

namespace tintoral {

// Generated from the icon sizes the build draws (app/CMakeLists.txt).
std::span<const std::uint8_t> ProgramIcon16Png();
std::span<const std::uint8_t> ProgramIcon22Png();
std::span<const std::uint8_t> ProgramIcon24Png();
std::span<const std::uint8_t> ProgramIcon32Png();
std::span<const std::uint8_t> ProgramIcon48Png();
std::span<const std::uint8_t> ProgramIcon64Png();
std::span<const std::uint8_t> ProgramIcon128Png();
std::span<const std::uint8_t> ProgramIcon256Png();

std::vector<std::span<const std::uint8_t>> ProgramIconPngs() {
  return {ProgramIcon16Png(), ProgramIcon22Png(), ProgramIcon24Png(),  ProgramIcon32Png(),
          ProgramIcon48Png(), ProgramIcon64Png(), ProgramIcon128Png(), ProgramIcon256Png()};
}

void UseProgramIdentity() {
  // Qt names the window class after the application (WM_CLASS "tintoral",
  // "org.tintoral.Tintoral"); the instance part stays the program's name.
  QCoreApplication::setApplicationName(kDesktopEntryName);
  // No display name: Qt would append it to every window's title.
  QGuiApplication::setDesktopFileName(kDesktopEntryName);
  QIcon icon;
  for (const auto png : ProgramIconPngs()) {
    QPixmap size;
    if (size.loadFromData(png.data(), static_cast<uint>(png.size()), "PNG")) icon.addPixmap(size);
  }
  QApplication::setWindowIcon(icon);
}

}  // namespace tintoral
