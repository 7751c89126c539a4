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

TDisplayProbe::TDisplayProbe() {
  if (!UsesX11Platform()) return;
  const QByteArray display = qgetenv("DISPLAY");
  if (display.isEmpty()) {
    problem_ = "no display: DISPLAY is not set";
    return;
  }
  connection_ = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection_) != 0)
    problem_ = "cannot connect to the display \"" + display.toStdString() + "\"";
}

// xcb_disconnect also frees a connection that failed.
TDisplayProbe::~TDisplayProbe() {
  if (connection_) xcb_disconnect(connection_);
}

}  // namespace tintoral
