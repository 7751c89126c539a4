#include "app/ProgramIdentity.h"

#include <QApplication>
#include <QBuffer>
#include <QIcon>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

namespace tintoral {

// Generated from the icon sizes the build draws (app/CMakeLists.txt).
std::span<const std::uint8_t> ProgramIcon16Png();
std::span<const std::uint8_t> ProgramIcon22Png();
std::span<const std::uint8_t> ProgramIcon24Png();
std::span<const std::uint8_t> ProgramIcon32Png();
std::span<const std::uint8_t> ProgramIcon48Png();
std::span<const std::uint8_t> ProgramIcon64Png();
std::span<const std::uint8_t> ProgramIcon128Png();
std::span<const std::uint8_t> ProgramIcon256Png();

std::vector<std::span<const std::uint8_t>> ProgramIconPngs() {
  return {ProgramIcon16Png(), ProgramIcon22Png(), ProgramIcon24Png(),  ProgramIcon32Png(),
          ProgramIcon48Png(), ProgramIcon64Png(), ProgramIcon128Png(), ProgramIcon256Png()};
}

namespace {

QByteArray PngBytes(std::span<const std::uint8_t> png) {
  return QByteArray::fromRawData(reinterpret_cast<const char*>(png.data()), static_cast<qsizetype>(png.size()));
}

// The program icon, decoded from its PNG streams only when a window asks
// for a picture (once, as it is created, to hand the window system every
// size): nothing decoded stays in memory while the program runs.
class ProgramIconEngine final : public QIconEngine {
 public:
  ProgramIconEngine() {
    for (const auto png : ProgramIconPngs()) {
      QByteArray bytes = PngBytes(png);
      QBuffer buffer(&bytes);
      const QSize size = QImageReader(&buffer, "PNG").size();
      if (size.isValid()) pictures_.push_back({size, png});
    }
  }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (const Picture& picture : pictures_) sizes.push_back(picture.size);
    return sizes;
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const Picture* picture = PictureFor(size);
    return picture ? picture->size.scaled(size, Qt::KeepAspectRatio).boundedTo(picture->size) : QSize();
  }

  // The picture of the asked size, else the smallest larger one (or the
  // largest) scaled down to fit.
  QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
    const Picture* picture = PictureFor(size);
    QPixmap decoded;
    if (!picture || !decoded.loadFromData(PngBytes(picture->png), "PNG")) return QPixmap();
    if (decoded.width() > size.width() || decoded.height() > size.height())
      return decoded.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return decoded;
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
  }

  QIconEngine* clone() const override { return new ProgramIconEngine(*this); }
  QString key() const override { return QStringLiteral("ProgramIconEngine"); }
  bool isNull() override { return pictures_.empty(); }

 private:
  struct Picture {
    QSize size;
    std::span<const std::uint8_t> png;
  };

  const Picture* PictureFor(const QSize& size) const {
    if (pictures_.empty()) return nullptr;
    for (const Picture& picture : pictures_)
      if (picture.size.width() >= size.width() && picture.size.height() >= size.height()) return &picture;
    return &pictures_.back();
  }

  std::vector<Picture> pictures_;  // smallest first
};

}  // namespace

void UseProgramIdentity() {
  // Qt names the window class after the application (WM_CLASS "tintoral",
  // "org.tintoral.Tintoral"); the instance part stays the program's name.
  QCoreApplication::setApplicationName(kDesktopEntryName);
  // No display name: Qt would append it to every window's title.
  QGuiApplication::setDesktopFileName(kDesktopEntryName);
  QApplication::setWindowIcon(QIcon(new ProgramIconEngine));
}

}  // namespace tintoral
