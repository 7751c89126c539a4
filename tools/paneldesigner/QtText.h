#pragma once
// The designer's texts between Qt's strings and UTF-8.
#include <QString>
#include <string>

namespace tintoral {

inline QString Q(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string S(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace tintoral
