// TWinControl: its native window (created when needed), invalidation and
// the native keyboard focus.
#include <QWidget>
#include <utility>

#include "platform/window/ControlWidget.h"
#include "platform/window/Form.h"
#include "platform/window/WinControl.h"
#include "runtime/Windows1252.h"

namespace tintoral {

void TWinControl::HandleNeeded() {
  if (widget_) return;
  if (Parent() && !Parent()->widget_) {
    Parent()->HandleNeeded();  // creates this control's window too
    if (widget_) return;
  }
  CreateWidget();
}

void TWinControl::CreateWidget() {
  widget_ = new ControlWidget(*this, Parent() ? Parent()->widget_ : nullptr);
  SetUpWidget();
}

void TWinControl::AdoptWidgetOf(TWinControl& previous) {
  for (TControl* child : previous.controls_)
    if (auto* windowed = dynamic_cast<TWinControl*>(child)) windowed->DestroyHandle();
  widget_ = std::exchange(previous.widget_, nullptr);
  widget_->Attach(*this);
  SetUpWidget();
}

void TWinControl::SetUpWidget() {
  PlaceWidget();
  ApplyEnabledToWindow();
  ApplyHintToWindow();
  if (Parent()) widget_->setVisible(Visible());
  WindowCreated();
  const std::vector<TControl*> children = controls_;
  for (TControl* child : children)
    if (auto* windowed = dynamic_cast<TWinControl*>(child)) windowed->HandleNeeded();
}

void TWinControl::DestroyHandle() {
  if (!widget_) return;
  for (TControl* child : controls_)
    if (auto* windowed = dynamic_cast<TWinControl*>(child)) windowed->DestroyHandle();
  ControlWidget* widget = widget_;
  widget_ = nullptr;
  widget->Detach();
  if (ControlWidget::InDispatch()) {
    // An event handler of this window (or one inside it) may still be running.
    widget->hide();
    widget->deleteLater();
  } else {
    delete widget;
  }
}

void TWinControl::PlaceWidget() {
  if (!widget_) return;
  if (Parent()) {
    const ControlWidget* parent = Parent()->widget_;
    const TRect bounds = Bounds(Left(), Top(), Width(), Height());
    widget_->SetGeometryFromControl(parent ? parent->WidgetRect(bounds) : QRect(Left(), Top(), Width(), Height()));
  } else {
    const TRect client = ClientRect();
    widget_->MoveFromControl(QPoint(Left(), Top()));
    widget_->ResizeFromControl(QSize(client.Width(), client.Height()) * widget_->Zoom());
  }
}

void TWinControl::ApplyBoundsToWindow() { PlaceWidget(); }

void TWinControl::ApplyVisibilityToWindow() {
  if (Parent()) {
    if (widget_) widget_->setVisible(Visible());
    return;
  }
  // A top-level control gets its window when it is first shown.
  if (IsLoading()) return;
  if (Visible()) {
    HandleNeeded();
    widget_->show();
  } else if (widget_) {
    widget_->hide();
  }
}

void TWinControl::VisibleChanged() {
  TControl::VisibleChanged();
  if (!Visible()) {
    TWinControl* top = TopLevel();
    if (top != this) top->ForgetFocusInside(this);
  }
}

void TWinControl::ApplyEnabledToWindow() {
  if (widget_) widget_->setEnabled(Enabled());
}

void TWinControl::ApplyHintToWindow() {
  if (widget_) widget_->setToolTip(ShowHint() ? QString::fromStdU16String(Windows1252ToUtf16(Hint())) : QString());
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* child : controls_) child->ParentFontChanged();
}

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  for (TControl* child : controls_) child->ParentColorChanged();
}

void TWinControl::Invalidate() {
  if (widget_) widget_->update();
}

void TWinControl::InvalidateRect(const TRect& rect) {
  if (widget_ && !rect.IsEmpty()) widget_->update(widget_->WidgetRect(rect));
}

void TWinControl::Repaint() {
  if (widget_ && widget_->isVisible()) widget_->repaint();
}

void TWinControl::SyncWindowFocus(TWinControl* control) {
  TWinControl* holder = control && control->widget_ ? control : this;
  if (holder->widget_ && holder->widget_->isVisible() && !holder->widget_->hasFocus())
    holder->widget_->setFocus(Qt::OtherFocusReason);
}

TRect ClientRectOnScreen(const TControl& control) {
  // The nearest windowed control (this one or an ancestor) with a window.
  const TControl* c = &control;
  while (c) {
    const auto* windowed = dynamic_cast<const TWinControl*>(c);
    if (windowed && windowed->Widget()) break;
    c = c->Parent();
  }
  const TRect client = control.ClientRect();
  TPoint origin = control.ClientOriginIn(c ? static_cast<const TWinControl*>(c) : nullptr);
  if (c) {
    // Zoomed, c's corner is taken in unzoomed steps from the top level's
    // client corner on the screen.
    const ControlWidget* widget = static_cast<const TWinControl*>(c)->Widget();
    const QWidget* top = widget->window();
    const auto* topControl = dynamic_cast<const ControlWidget*>(top);
    const QPoint topOrigin = topControl ? topControl->ContentOrigin() : QPoint();
    const QPoint inTop = (widget->mapTo(top, widget->ContentOrigin()) - topOrigin) / widget->Zoom();
    const QPoint corner = top->mapToGlobal(topOrigin);
    origin.X += corner.x() + inTop.x();
    origin.Y += corner.y() + inTop.y();
  } else {
    // No window anywhere: the top level's outer position plus its frame.
    TControl* root = const_cast<TControl&>(control).Root();
    const auto* form = dynamic_cast<const TForm*>(root);
    const TFrameMetrics frame = form ? FrameMetricsOf(form->BorderStyle()) : TFrameMetrics{};
    origin.X += root->Left() + frame.border;
    origin.Y += root->Top() + frame.border + frame.caption;
  }
  return Bounds(origin.X, origin.Y, client.Width(), client.Height());
}

}  // namespace tintoral
