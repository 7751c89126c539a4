#include "app/ZoomMemory.h"

#include <QSettings>

namespace tintoral {
namespace {

constexpr char kZoomKey[] = "window/zoom";

QSettings UserSettings() { return QSettings(QSettings::NativeFormat, QSettings::UserScope, "tintoral", "tintoral"); }

}  // namespace

int RememberedZoom() {
  bool ok = false;
  const int factor = UserSettings().value(kZoomKey, 1).toInt(&ok);
  return ok && factor >= 1 ? factor : 1;
}

void RememberZoom(int factor) { UserSettings().setValue(kZoomKey, factor); }

}  // namespace tintoral
