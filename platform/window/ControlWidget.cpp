#include "platform/window/ControlWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics/Color.h"
#include "platform/window/Application.h"
#include "platform/window/ControlAccessible.h"
#include "platform/window/Form.h"
#include "platform/window/QtInput.h"
#include "platform/window/WinControl.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

int FloorDiv(int value, int divisor) { return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor); }

}  // namespace

ControlWidget::ControlWidget(TWinControl& control, QWidget* parent) : QWidget(parent), control_(&control) {
  InstallControlAccessibility();
  // The control paints every pixel of its window; Qt must not clear it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  // Focus moves are the control tree's business (Tab order, SetFocus).
  setFocusPolicy(Qt::NoFocus);
}

ControlWidget::~ControlWidget() {
  if (control_) control_->widget_ = nullptr;
}

void ControlWidget::Attach(TWinControl& control) {
  control_ = &control;
  zoom_ = 1;
  origin_ = QPoint();
}

template <class Action>
void ControlWidget::Dispatch(Action&& action) {
  if (!control_) return;
  ++dispatchDepth_;
  GuardedCall(action);
  --dispatchDepth_;
}

void ControlWidget::SetZoom(int zoom, QPoint origin) {
  zoom = std::max(1, zoom);
  if (zoom == zoom_ && origin == origin_) return;
  zoom_ = zoom;
  origin_ = origin;
  if (control_) PlaceDescendants(*control_);
}

void ControlWidget::PlaceDescendants(TWinControl& parent) {
  for (TControl* child : parent.controls_) {
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (!windowed) continue;
    windowed->PlaceWidget();
    PlaceDescendants(*windowed);
  }
}

int ControlWidget::Zoom() const {
  const auto* top = dynamic_cast<const ControlWidget*>(window());
  return top ? top->zoom_ : 1;
}

QRect ControlWidget::WidgetRect(const TRect& rect) const {
  const int zoom = Zoom();
  const QPoint origin = ContentOrigin();
  return QRect(origin.x() + rect.Left * zoom, origin.y() + rect.Top * zoom, rect.Width() * zoom, rect.Height() * zoom);
}

TPoint ControlWidget::ControlPoint(const QPointF& position) const {
  const int zoom = Zoom();
  const QPointF inside = position - QPointF(ContentOrigin());
  return {static_cast<int>(std::floor(inside.x() / zoom)), static_cast<int>(std::floor(inside.y() / zoom))};
}

TRect ControlWidget::ControlRect(const QRect& rect) const {
  const int zoom = Zoom();
  const QPoint origin = ContentOrigin();
  return {FloorDiv(rect.left() - origin.x(), zoom), FloorDiv(rect.top() - origin.y(), zoom),
          FloorDiv(rect.right() + 1 - origin.x() + zoom - 1, zoom),
          FloorDiv(rect.bottom() + 1 - origin.y() + zoom - 1, zoom)};
}

QPoint ScreenPointUnzoomed(const ControlWidget& widget, const QPoint& global) {
  const QWidget* top = widget.window();
  const auto* topControl = dynamic_cast<const ControlWidget*>(top);
  if (!topControl || topControl->Zoom() == 1) return global;
  const QPoint corner = top->mapToGlobal(topControl->ContentOrigin());
  const TPoint inside = topControl->ControlPoint(QPointF(global - top->mapToGlobal(QPoint())));
  return corner + QPoint(inside.X, inside.Y);
}

void ControlWidget::SetGeometryFromControl(const QRect& rect) {
  settingGeometry_ = true;
  setGeometry(rect);
  settingGeometry_ = false;
}

void ControlWidget::MoveFromControl(const QPoint& position) {
  settingGeometry_ = true;
  move(position);
  settingGeometry_ = false;
}

void ControlWidget::ResizeFromControl(const QSize& size) {
  settingGeometry_ = true;
  resize(size);
  settingGeometry_ = false;
}

bool ControlWidget::event(QEvent* event) {
  // Keys go straight to the control: Qt must not use Tab for its own focus moves.
  if (event->type() == QEvent::KeyPress) {
    keyPressEvent(static_cast<QKeyEvent*>(event));
    return true;
  }
  return QWidget::event(event);
}

// The parts of the client area a paint event repaints: the rectangles of
// its region when the control paints each alone and they cover much less
// than their bounding rectangle (a few small changes far apart), else the
// bounding rectangle.
std::vector<TRect> ControlWidget::PaintParts(const QRegion& region) const {
  const TRect whole = ControlRect(region.boundingRect());
  constexpr int kMostParts = 32;
  if (region.rectCount() < 2 || region.rectCount() > kMostParts) return {whole};
  // The region's rectangles come band by band; those of one band (cells of
  // one row) are painted together.
  std::vector<TRect> parts;
  for (const QRect& rect : region) {
    const TRect part = ControlRect(rect);
    if (!parts.empty() && parts.back().Top == part.Top && parts.back().Bottom == part.Bottom)
      parts.back() = UnionRects(parts.back(), part);
    else parts.push_back(part);
  }
  std::int64_t area = 0;
  for (const TRect& part : parts) {
    if (!control_->PaintsPartAlone(part)) return {whole};
    area += std::int64_t{part.Width()} * part.Height();
  }
  const std::int64_t wholeArea = std::int64_t{whole.Width()} * whole.Height();
  if (area * 2 > wholeArea) return {whole};
  return parts;
}

void ControlWidget::paintEvent(QPaintEvent* event) {
  if (!control_) return;
  const std::vector<TRect> parts = PaintParts(event->region());
  ++dispatchDepth_;
  try {
    for (const TRect& part : parts) control_->PaintBufferNow(true, part);
  } catch (...) {
    // Show the message once the paint is over, not from inside it.
    QTimer::singleShot(0, qApp, [message = CurrentExceptionMessage()] {
      GuardedCall([&] { Application().HandleException(Exception(message)); });
    });
  }
  --dispatchDepth_;
  if (!control_) return;
  {
    // On a screen of whole factor n, and in a window zoomed by n, every
    // buffer pixel becomes an exact n x n block: Qt scales the image without
    // smoothing (platform/window/ScreenScaling.h). Around a centred client
    // area the window shows the form's colour. Unzoomed, only the parts
    // painted are copied.
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QImage buffer = control_->PaintBuffer().WrapAsImage();
    const QRect content = WidgetRect(Bounds(0, 0, buffer.width(), buffer.height()));
    if (!content.contains(rect())) {
      const std::uint32_t rgb = ColorToRGB(control_->Color());
      painter.fillRect(rect(), QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF));
    }
    if (Zoom() == 1 && ContentOrigin().isNull()) {
      for (const TRect& part : parts) {
        const QRect source = QRect(part.Left, part.Top, part.Width(), part.Height()) & buffer.rect();
        if (!source.isEmpty()) painter.drawImage(source.topLeft(), buffer, source);
      }
    } else {
      painter.drawImage(content, buffer);
    }
  }
  ReportAccessibleChanges(*this);
}

void ControlWidget::keyPressEvent(QKeyEvent* event) {
  event->accept();
  const bool keypad = event->modifiers().testFlag(Qt::KeypadModifier);
  const std::uint16_t key = VirtualKeyFromQt(event->key(), keypad);
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), Qt::NoButton);
  bool takenByDialog = false;
  if (key != 0) Dispatch([&] { takenByDialog = control_->KeyTarget()->DispatchKeyDown(key, shift); });
  if (takenByDialog) return;
  std::string characters = KeyTextToWindows1252(event->text());
  if (event->key() == Qt::Key_Delete) characters.clear();  // no character for Delete
  for (char ch : characters) Dispatch([&] { control_->KeyTarget()->DispatchChar(ch); });
}

void ControlWidget::keyReleaseEvent(QKeyEvent* event) {
  event->accept();
  if (event->isAutoRepeat()) return;  // a held key repeats its key-down only
  const std::uint16_t key = VirtualKeyFromQt(event->key(), event->modifiers().testFlag(Qt::KeypadModifier));
  if (key == 0) return;
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), Qt::NoButton);
  Dispatch([&] { control_->KeyTarget()->DispatchKeyUp(key, shift); });
}

void ControlWidget::mousePressEvent(QMouseEvent* event) {
  event->accept();
  TMouseButton button;
  if (!MouseButtonFromQt(event->button(), button)) return;
  const TPoint p = ControlPoint(event->position());
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  Dispatch([&] { control_->WindowMouseDown(button, shift, p.X, p.Y); });
}

void ControlWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  TMouseButton button;
  if (!MouseButtonFromQt(event->button(), button)) return;
  const TPoint p = ControlPoint(event->position());
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  Dispatch([&] { control_->WindowDoubleClick(button, shift, p.X, p.Y); });
}

void ControlWidget::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  const TPoint p = ControlPoint(event->position());
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  Dispatch([&] { control_->WindowMouseMove(shift, p.X, p.Y); });
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  TMouseButton button;
  if (!MouseButtonFromQt(event->button(), button)) return;
  const TPoint p = ControlPoint(event->position());
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  Dispatch([&] { control_->WindowMouseUp(button, shift, p.X, p.Y); });
}

void ControlWidget::wheelEvent(QWheelEvent* event) {
  event->accept();
  if (!control_) return;
  const int delta = control_->AccumulateWheel(event->angleDelta().y());
  if (delta == 0) return;
  const QPoint global = ScreenPointUnzoomed(*this, event->globalPosition().toPoint());
  const TPoint mouse{global.x(), global.y()};
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  Dispatch([&] { control_->DispatchMouseWheel(delta, shift, mouse); });
}

void ControlWidget::leaveEvent(QEvent*) {
  Dispatch([&] { control_->WindowMouseLeave(); });
}

void ControlWidget::closeEvent(QCloseEvent* event) {
  // Closing is the form's decision (OnCloseQuery, OnClose, modal result).
  event->ignore();
  auto* form = dynamic_cast<TForm*>(control_);
  if (form) {
    Dispatch([&] { form->CloseRequestedByWindow(); });
  } else if (control_) {
    Dispatch([&] { control_->Hide(); });
  }
}

void ControlWidget::WindowGeometryChanged() {
  if (settingGeometry_ || !isWindow() || !control_) return;
  const QPoint position = pos();
  const QSize client = size();
  Dispatch([&] {
    if (auto* form = dynamic_cast<TForm*>(control_)) {
      form->WindowGeometryChanged(position.x(), position.y(), client.width(), client.height());
    } else {
      control_->SetBounds(position.x(), position.y(), client.width(), client.height());
    }
  });
}

void ControlWidget::resizeEvent(QResizeEvent*) { WindowGeometryChanged(); }
void ControlWidget::moveEvent(QMoveEvent*) { WindowGeometryChanged(); }

void ControlWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !isWindow()) return;
  if (auto* form = dynamic_cast<TForm*>(control_)) Dispatch([&] { form->WindowStateChanged(); });
}

// The control tree decides about the focus; Qt's own focus events only
// repaint nothing here.
void ControlWidget::focusInEvent(QFocusEvent*) {}
void ControlWidget::focusOutEvent(QFocusEvent*) {}

}  // namespace tintoral
