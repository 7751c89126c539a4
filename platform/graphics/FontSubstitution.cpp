#include "platform/graphics/FontSubstitution.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QString>
#include <algorithm>
#include <cctype>
#include <unordered_set>

#include "runtime/Exception.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

// Stand-ins chosen for metrics and character: Liberation fonts share the
// advance widths of the Windows core fonts; DejaVu Sans is Verdana-like; the
// display faces get the closest shape Debian ships, with a safe last choice.
const std::vector<FontSubstitute>& Table() {
  static const std::vector<FontSubstitute> table = {
      {"MS Sans Serif", {"Liberation Sans"}},
      {"Microsoft Sans Serif", {"Liberation Sans"}},
      {"MS Shell Dlg", {"Liberation Sans"}},
      {"MS Shell Dlg 2", {"Liberation Sans"}},
      {"System", {"Liberation Sans"}},
      {"Arial", {"Liberation Sans"}},
      {"Helvetica", {"Liberation Sans"}},
      {"Arial Narrow", {"Liberation Sans Narrow", "Nimbus Sans Narrow", "DejaVu Sans Condensed", "Liberation Sans"}},
      {"Times New Roman", {"Liberation Serif"}},
      {"Times", {"Liberation Serif"}},
      {"MS Serif", {"Liberation Serif"}},
      {"Courier New", {"Liberation Mono"}},
      {"Courier", {"Liberation Mono"}},
      {"Lucida Console", {"DejaVu Sans Mono", "Liberation Mono"}},
      {"Consolas", {"DejaVu Sans Mono", "Liberation Mono"}},
      {"Verdana", {"DejaVu Sans"}},
      {"Tahoma", {"DejaVu Sans Condensed", "DejaVu Sans"}},
      {"Segoe UI", {"DejaVu Sans"}},
      {"Comic Sans MS", {"Comic Neue", "DejaVu Sans"}},
      // A wide bold display face; the window layouts were measured with
      // Arial widths, which Liberation Sans reproduces exactly.
      {"911 Porscha", {"Liberation Sans"}},
      // A narrow, upright face.
      {"Agency FB", {"Nimbus Sans Narrow", "Liberation Sans Narrow", "DejaVu Sans Condensed", "Liberation Sans"}},
  };
  return table;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

std::string FirstInstalled(std::span<const std::string_view> candidates,
                           const std::function<bool(std::string_view)>& isInstalled) {
  for (std::string_view family : candidates)
    if (isInstalled(family)) return std::string(family);
  return std::string(kFallbackFontFamily);
}

// Lower-cased UTF-8 family names from Qt's font database, read once.
const std::unordered_set<std::string>& InstalledFamilies() {
  static const std::unordered_set<std::string> families = [] {
    if (!QGuiApplication::instance()) throw GraphicsError("Fonts need the GUI application to be running");
    std::unordered_set<std::string> set;
    for (QString family : QFontDatabase::families()) {
      // Families offered by several foundries are listed as "Name [foundry]".
      const qsizetype foundry = family.indexOf(QLatin1String(" ["));
      if (foundry > 0) family.truncate(foundry);
      set.insert(family.toLower().toStdString());
    }
    return set;
  }();
  return families;
}

}  // namespace

std::span<const FontSubstitute> FontSubstitutionTable() { return Table(); }

std::string SubstituteFontFamily(std::string_view windowsName,
                                 const std::function<bool(std::string_view)>& isInstalled) {
  for (const FontSubstitute& entry : Table())
    if (EqualIgnoringCase(entry.windowsName, windowsName)) return FirstInstalled(entry.candidates, isInstalled);
  if (!windowsName.empty() && isInstalled(windowsName)) return std::string(windowsName);
  return std::string(kFallbackFontFamily);
}

std::string SubstituteFontFamily(std::string_view windowsName) {
  const std::string utf8Name = Windows1252ToUtf8(windowsName);
  return SubstituteFontFamily(utf8Name, [](std::string_view name) {
    return InstalledFamilies().contains(
        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toLower().toStdString());
  });
}

}  // namespace tintoral
