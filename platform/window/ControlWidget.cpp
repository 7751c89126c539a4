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
#include <cmath>
#include <string>

#include "platform/window/Application.h"
#include "platform/window/ControlAccessible.h"
#include "platform/window/Form.h"
#include "platform/window/QtInput.h"
#include "platform/window/WinControl.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

TPoint ClientPoint(const QPointF& position) {
  return {static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y()))};
}

// The message of the exception being handled, for showing after a paint.
std::string CurrentExceptionMessage() {
  try {
    throw;
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
}

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

template <class Action>
void ControlWidget::Dispatch(Action&& action) {
  if (!control_) return;
  ++dispatchDepth_;
  GuardedCall(action);
  --dispatchDepth_;
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

void ControlWidget::paintEvent(QPaintEvent* event) {
  if (!control_) return;
  ++dispatchDepth_;
  try {
    const QRect dirty = event->rect();
    control_->PaintBufferNow(true, {dirty.left(), dirty.top(), dirty.right() + 1, dirty.bottom() + 1});
  } catch (...) {
    // Show the message once the paint is over, not from inside it.
    QTimer::singleShot(0, qApp, [message = CurrentExceptionMessage()] {
      GuardedCall([&] { Application().HandleException(Exception(message)); });
    });
  }
  --dispatchDepth_;
  if (!control_) return;
  {
    // On a screen of whole factor n every buffer pixel becomes an exact n x n
    // block: Qt scales the image without smoothing (platform/window/ScreenScaling.h).
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(0, 0, control_->PaintBuffer().WrapAsImage());
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
  const TPoint p = ClientPoint(event->position());
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  Dispatch([&] { control_->WindowMouseDown(button, shift, p.X, p.Y); });
}

void ControlWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  TMouseButton button;
  if (!MouseButtonFromQt(event->button(), button)) return;
  const TPoint p = ClientPoint(event->position());
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  Dispatch([&] { control_->WindowDoubleClick(button, shift, p.X, p.Y); });
}

void ControlWidget::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  const TPoint p = ClientPoint(event->position());
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  Dispatch([&] { control_->WindowMouseMove(shift, p.X, p.Y); });
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  TMouseButton button;
  if (!MouseButtonFromQt(event->button(), button)) return;
  const TPoint p = ClientPoint(event->position());
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  Dispatch([&] { control_->WindowMouseUp(button, shift, p.X, p.Y); });
}

void ControlWidget::wheelEvent(QWheelEvent* event) {
  event->accept();
  if (!control_) return;
  const int delta = control_->AccumulateWheel(event->angleDelta().y());
  if (delta == 0) return;
  const QPointF global = event->globalPosition();
  const TPoint mouse = ClientPoint(global);
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

// The control tree decides about the focus; Qt's own focus events only
// repaint nothing here.
void ControlWidget::focusInEvent(QFocusEvent*) {}
void ControlWidget::focusOutEvent(QFocusEvent*) {}

}  // namespace tintoral
