#include "app/WindowPicture.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QStandardPaths>

#include "app/ColorSignals.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PngEncoder.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/Form.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

QString StartFolder() {
  const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  return !pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath();
}

}  // namespace

std::string PictureFileName(std::string_view prefix, const TSliderColor& color) {
  const TColorSignalValues s = ComputeColorSignals(color.Red, color.Green, color.Blue);
  return std::string(prefix) + "-" + ColorHexText(s.SwatchColor).substr(1) + ".png";
}

void SaveWindowPicture(TForm& window, const std::string& path) {
  TBitmap picture;
  window.RenderTo(picture);
  SavePng(picture, path);
}

std::string SaveWindowPictureAs(TForm& window, const std::string& defaultName) {
  const QString start = QDir(StartFolder()).filePath(QString::fromStdString(defaultName));
  QString chosen = QFileDialog::getSaveFileName(window.Widget(), QString::fromUtf8("Guardar imagen"), start,
                                                QString::fromUtf8("Im\u00E1genes PNG (*.png)"));
  if (chosen.isEmpty()) return {};
  if (!chosen.endsWith(".png", Qt::CaseInsensitive)) chosen += ".png";
  const std::string path = chosen.toStdString();
  SaveWindowPicture(window, path);
  return path;
}

std::string TabSeparated(const std::vector<std::vector<std::string>>& rows) {
  std::string text;
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) text += (i ? "\t" : "") + row[i];
    text += '\n';
  }
  return text;
}

void CopyTextToClipboard(const std::string& text) {
  if (QClipboard* clipboard = QGuiApplication::clipboard())
    clipboard->setText(QString::fromStdU16String(Windows1252ToUtf16(text)));
}

}  // namespace tintoral
