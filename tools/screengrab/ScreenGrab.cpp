// screengrab OUT.png [WINDOW_ID]
//
// Grabs the X display named by $DISPLAY (the whole root window, or only the
// window with the given id, decimal or 0x-hexadecimal as xdotool and xwininfo
// print it) and saves it as a PNG. Always runs Qt on the xcb platform, even
// where QT_QPA_PLATFORM names another one, since only xcb sees the real screen.
// Exits 1 with a one-line message when the display, the window or the file
// cannot be used, 2 on wrong usage.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// The window id as xdotool or xwininfo print it; nothing when it is not one.
std::optional<WId> ParseWindowId(const char* text) {
  bool ok = false;
  const qulonglong id = QString::fromLatin1(text).toULongLong(&ok, 0);
  if (!ok) return std::nullopt;
  return static_cast<WId>(id);
}

int Fail(const char* message, const char* detail) {
  std::fprintf(stderr, "screengrab: %s%s\n", message, detail);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: screengrab OUT.png [WINDOW_ID]\n");
    return 2;
  }
  WId window = 0;  // 0: the root window
  if (argc == 3) {
    const std::optional<WId> id = ParseWindowId(argv[2]);
    if (!id || *id == 0) return Fail("not a window id: ", argv[2]);
    window = *id;
  }
  if (std::getenv("DISPLAY") == nullptr) return Fail("DISPLAY is not set", "");
  qputenv("QT_QPA_PLATFORM", "xcb");
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return Fail("no screen on the display", "");
  const QPixmap shot = screen->grabWindow(window);
  if (shot.isNull()) return Fail("cannot grab window ", argc == 3 ? argv[2] : "root");
  if (!shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) return Fail("cannot write ", argv[1]);
  return 0;
}
