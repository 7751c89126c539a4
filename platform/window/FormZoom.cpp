// TForm: projector zoom and full screen.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "platform/window/ControlWidget.h"
#include "platform/window/Form.h"
#include "platform/window/ScreenScaling.h"

namespace tintoral {
namespace {

bool FillsItsScreen(const QWidget& window) {
  return (window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0;
}

// The area windows may take on the window's screen (the primary one before
// the window exists): the screen less panels and docks.
QRect AvailableArea(const QWidget* window) {
  const QScreen* screen = window ? window->screen() : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

// What the frame adds to the client size: the window manager's own frame
// once the window has one, else the classic metrics.
QSize FrameExtra(const QWidget* window, TFormBorderStyle style) {
  if (window && window->isVisible()) {
    const QSize extra = window->frameGeometry().size() - window->size();
    if (extra.width() > 0 || extra.height() > 0) return extra;
  }
  const TFrameMetrics frame = FrameMetricsOf(style);
  return {frame.ExtraWidth(), frame.ExtraHeight()};
}

}  // namespace

void TForm::EnableZoom() {
  zoomEnabled_ = true;
  ApplyZoomToWindow();
}

void TForm::SetZoom(int factor) {
  zoom_ = std::clamp(factor, 1, LargestZoomOnScreen());
  zoomSizePending_ = false;
  ApplyZoomToWindow();
}

int TForm::LargestZoomOnScreen() const {
  const QRect area = AvailableArea(Widget());
  if (area.isEmpty()) return kMaxZoom;
  const QSize extra = FrameExtra(Widget(), borderStyle_);
  const TRect client = ClientRect();
  int zoom = kMaxZoom;
  while (zoom > 1 && (client.Width() * zoom + extra.width() > area.width() ||
                      client.Height() * zoom + extra.height() > area.height()))
    --zoom;
  return zoom;
}

int TForm::ShownZoom() const { return Widget() ? Widget()->Zoom() : 1; }

bool TForm::FullScreen() const { return Widget() && Widget()->isFullScreen(); }

void TForm::SetFullScreen(bool value) {
  QWidget* window = Widget();
  if (!window || value == window->isFullScreen()) return;
  window->setWindowState(window->windowState() ^ Qt::WindowFullScreen);
}

// A normal window takes the chosen factor's size; a maximised or full-screen
// one keeps its size and shows what fits.
void TForm::ApplyZoomToWindow() {
  ControlWidget* window = Widget();
  if (!zoomEnabled_ || !window) return;
  const TRect client = ClientRect();
  if (FillsItsScreen(*window)) {
    FitZoomToWindow(window->width(), window->height());
    return;
  }
  window->SetZoom(zoom_, QPoint());
  ApplyBoundsToWindow();
  KeepZoomedWindowOnScreen();
  FitZoomToWindow(client.Width() * zoom_, client.Height() * zoom_);
}

// Moves the normal window, at the chosen factor's size, as far as needed to
// lie wholly in the available area (its left and top edges first when it
// cannot fit).
void TForm::KeepZoomedWindowOnScreen() {
  const QRect area = AvailableArea(Widget());
  if (area.isEmpty()) return;
  const QSize extra = FrameExtra(Widget(), borderStyle_);
  const TRect client = ClientRect();
  const int width = client.Width() * zoom_ + extra.width();
  const int height = client.Height() * zoom_ + extra.height();
  const int left = std::max(area.left(), std::min(Left(), area.left() + area.width() - width));
  const int top = std::max(area.top(), std::min(Top(), area.top() + area.height() - height));
  if (left != Left() || top != Top()) SetBounds(left, top, Width(), Height());
}

void TForm::FitZoomToWindow(int windowWidth, int windowHeight) {
  ControlWidget* window = Widget();
  if (!window) return;
  const TRect client = ClientRect();
  const TZoomPlacement placement = PlaceZoomedClient(zoom_, FillsItsScreen(*window), kMaxZoom, windowWidth,
                                                     windowHeight, client.Width(), client.Height());
  window->SetZoom(placement.zoom, QPoint(placement.left, placement.top));
  window->update();
}

bool TForm::LeftFilledState() {
  const bool fills = Widget() && FillsItsScreen(*Widget());
  const bool left = fillingScreen_ && !fills;
  fillingScreen_ = fills;
  if (left) zoomSizePending_ = true;
  return left;
}

// Back from maximised or full screen, the window system restores the size
// the window had before, which may belong to another factor (Ctrl+0 while
// maximised): the window takes the chosen factor's size instead, until the
// window system reports that size.
void TForm::WindowStateChanged() {
  if (zoomEnabled_ && LeftFilledState()) ApplyZoomToWindow();
}

}  // namespace tintoral
