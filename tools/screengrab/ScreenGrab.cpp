// screengrab [--wait SECONDS] OUT.png [WINDOW_ID]
//
// Grabs the X display named by $DISPLAY (the whole root window, or only the
// window with the given id, decimal or 0x-hexadecimal as xdotool and xwininfo
// print it) and saves it as a PNG. Always runs Qt on the xcb platform, even
// where QT_QPA_PLATFORM names another one, since only xcb sees the real screen.
// Exits 1 with a one-line message when the display, the window or the file
// cannot be used, 2 on wrong usage.
//
// --wait: grabs again every 50 ms until the picture has more than one colour
// (the window has been painted), for at most SECONDS; fails when it never has.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QString>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "system/RuntimeFolder.h"
#include "tools/support/ToolCommandLine.h"

namespace {

// The window id as xdotool or xwininfo print it; nothing when it is not one.
std::optional<WId> ParseWindowId(const char* text) {
  bool ok = false;
  const qulonglong id = QString::fromLatin1(text).toULongLong(&ok, 0);
  if (!ok) return std::nullopt;
  return static_cast<WId>(id);
}

bool Uniform(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const QRgb first = rgb.pixel(0, 0);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x)
      if (line[x] != first) return false;
  }
  return true;
}

// Grabs until the picture is not of one colour or `waitMs` have passed.
QPixmap GrabPainted(QScreen& screen, WId window, qint64 waitMs) {
  QElapsedTimer clock;
  clock.start();
  for (;;) {
    QPixmap shot = screen.grabWindow(window);
    if (shot.isNull() || waitMs < 0 || !Uniform(shot.toImage())) return shot;
    if (clock.elapsed() > waitMs) return QPixmap();
    QThread::msleep(50);
  }
}

int Fail(const char* message, const char* detail) {
  std::fprintf(stderr, "screengrab: %s%s\n", message, detail);
  return 1;
}

constexpr tintoral::TToolDescription kScreenGrab{
    "screengrab", "screengrab [--wait SECONDS] OUT.png [WINDOW_ID]",
    "Saves a picture of the X display in $DISPLAY (the root window, or the window with the given id) as a PNG.",
    "  --wait SECONDS  grab again until the picture has more than one colour, for at most SECONDS"};

}  // namespace

int main(int argc, char** argv) {
  if (tintoral::AnswerHelpOrVersion(kScreenGrab, tintoral::ToolArguments(argc, argv))) return 0;
  qint64 waitMs = -1;
  int first = 1;
  if (argc > 2 && std::string(argv[1]) == "--wait") {
    bool ok = false;
    waitMs = static_cast<qint64>(QString::fromLatin1(argv[2]).toDouble(&ok) * 1000);
    if (!ok || waitMs < 0) return Fail("not a number of seconds: ", argv[2]);
    first = 3;
  }
  const int rest = argc - first;
  if (rest < 1 || rest > 2) {
    std::fprintf(stderr, "usage: screengrab [--wait SECONDS] OUT.png [WINDOW_ID]\n");
    return 2;
  }
  const char* out = argv[first];
  if (const auto problem = tintoral::PngNameProblem(out)) return Fail(problem->c_str(), "");
  const char* windowText = rest == 2 ? argv[first + 1] : nullptr;
  WId window = 0;  // 0: the root window
  if (windowText) {
    const std::optional<WId> id = ParseWindowId(windowText);
    if (!id || *id == 0) return Fail("not a window id: ", windowText);
    window = *id;
  }
  if (std::getenv("DISPLAY") == nullptr) return Fail("DISPLAY is not set", "");
  qputenv("QT_QPA_PLATFORM", "xcb");
  tintoral::EnsurePrivateRuntimeFolder();
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return Fail("no screen on the display", "");
  const QPixmap shot = GrabPainted(*screen, window, waitMs);
  if (shot.isNull())
    return Fail(waitMs >= 0 ? "nothing painted in window " : "cannot grab window ", windowText ? windowText : "root");
  if (!shot.save(QString::fromLocal8Bit(out), "PNG")) return Fail("cannot write ", out);
  return 0;
}
