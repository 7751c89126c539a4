#include "app/ZoomMemory.h"

#include <QSettings>
#include <cstdio>

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

// Qt writes the settings file whole beside the old one and renames it over
// it; a failure (no space, no permission) leaves the old one and is said
// on standard error, as a lost zoom is no reason to stop the lesson.
void RememberZoom(int factor) {
  QSettings settings = UserSettings();
  settings.setValue(kZoomKey, factor);
  settings.sync();
  if (settings.status() != QSettings::NoError)
    std::fprintf(stderr, "tintoral: cannot save the zoom in %s\n", qPrintable(settings.fileName()));
}

}  // namespace tintoral
