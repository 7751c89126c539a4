// Shared main of every test program: GoogleTest on top of a Qt Widgets application
// running on the offscreen platform, so fonts, images and widgets work without a display.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>

namespace {

// Qt wants a private runtime directory; CI shells often have none.
void EnsureRuntimeDirectory() {
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  const QString dir = QDir::tempPath() + "/tintoral-runtime-" + QString::number(getuid());
  QDir().mkpath(dir);
  QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  EnsureRuntimeDirectory();
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
