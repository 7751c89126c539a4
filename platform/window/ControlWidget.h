#pragma once
// The Qt side of a windowed control (platform-internal; instruments never
// include Qt). ControlWidget forwards Qt's events to its TWinControl and
// presents the control's paint buffer; it holds none of the control's
// state. No exception ever leaves a Qt event handler: errors go to
// Application().HandleException (paint errors after the paint, through the
// event queue).
#include <QWidget>

#include "platform/graphics/Geometry.h"

namespace tintoral {

class TControl;
class TWinControl;

class ControlWidget : public QWidget {
 public:
  ControlWidget(TWinControl& control, QWidget* parent);
  ~ControlWidget() override;

  TWinControl* Control() const { return control_; }
  // Cuts the link to the control (the control is going away).
  void Detach() { control_ = nullptr; }
  // True while any event of any control widget is being handled.
  static bool InDispatch() { return dispatchDepth_ > 0; }
  // Geometry set by the control itself, not by the user.
  void SetGeometryFromControl(const QRect& rect);
  void MoveFromControl(const QPoint& position);
  void ResizeFromControl(const QSize& size);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Runs `action` with the control, catching every exception.
  template <class Action>
  void Dispatch(Action&& action);
  void WindowGeometryChanged();

  TWinControl* control_;
  bool settingGeometry_ = false;
  static inline int dispatchDepth_ = 0;
};

// The client area of a control in screen coordinates: through the native
// window when there is one, else from the bounds up to the form.
TRect ClientRectOnScreen(const TControl& control);

}  // namespace tintoral
