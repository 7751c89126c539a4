#include "platform/window/DisplayConnection.h"

#include <xcb/xcb.h>

#include <QByteArray>
#include <QtGlobal>

namespace tintoral {
namespace {

bool UsesX11Platform() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty()) return qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  return platform == "xcb" || platform.startsWith("xcb:");
}

}  // namespace

std::optional<std::string> UnreachableDisplay() {
  if (!UsesX11Platform()) return std::nullopt;
  const QByteArray display = qgetenv("DISPLAY");
  if (display.isEmpty()) return "no display: DISPLAY is not set";
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool failed = xcb_connection_has_error(connection) != 0;
  xcb_disconnect(connection);
  if (failed) return "cannot connect to the display \"" + display.toStdString() + "\"";
  return std::nullopt;
}

}  // namespace tintoral
