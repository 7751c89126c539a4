// TForm: projector zoom and full screen.
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

}  // namespace

void TForm::EnableZoom() {
  zoomEnabled_ = true;
  ApplyZoomToWindow();
}

void TForm::SetZoom(int factor) {
  zoom_ = std::clamp(factor, 1, kMaxZoom);
  ApplyZoomToWindow();
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
  FitZoomToWindow(client.Width() * zoom_, client.Height() * zoom_);
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

}  // namespace tintoral
