#pragma once
// The Qt side of a windowed control (platform-internal; instruments never
// include Qt). ControlWidget forwards Qt's events to its TWinControl and
// presents the control's paint buffer; it holds none of the control's
// state. No exception ever leaves a Qt event handler: errors go to
// Application().HandleException (paint errors after the paint, through the
// event queue).
#include <QRegion>
#include <QWidget>
#include <vector>

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
  // Presents another control from now on (TWinControl::AdoptWidgetOf), at
  // no zoom until it asks for one.
  void Attach(TWinControl& control);
  // True while any event of any control widget is being handled.
  static bool InDispatch() { return dispatchDepth_ > 0; }
  // Geometry set by the control itself, not by the user.
  void SetGeometryFromControl(const QRect& rect);
  void MoveFromControl(const QPoint& position);
  void ResizeFromControl(const QSize& size);

  // Projector zoom. A top-level window may show its client area enlarged by
  // a whole factor, each pixel an exact zoom x zoom block, with the client
  // area's top-left corner at `origin` (centred in a larger window); the
  // controls inside keep their own coordinates. Children take the factor
  // from their top level. Off (1, no origin) unless a form asks for it.
  void SetZoom(int zoom, QPoint origin);
  int Zoom() const;
  // Where the control's client area starts in this widget: the origin on a
  // top level, (0, 0) inside.
  QPoint ContentOrigin() const { return isWindow() ? origin_ : QPoint(); }
  // A rectangle of the control's client area in this widget's coordinates.
  QRect WidgetRect(const TRect& rect) const;
  // The client-area pixel under a point of this widget.
  TPoint ControlPoint(const QPointF& position) const;
  // The client-area pixels a rectangle of this widget touches.
  TRect ControlRect(const QRect& rect) const;

 protected:
  bool event(QEvent* event) override;
  std::vector<TRect> PaintParts(const QRegion& region) const;
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
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Runs `action` with the control, catching every exception.
  template <class Action>
  void Dispatch(Action&& action);
  void WindowGeometryChanged();
  // Places the windows of every control inside `parent` again (the zoom changed).
  static void PlaceDescendants(TWinControl& parent);

  TWinControl* control_;
  bool settingGeometry_ = false;
  int zoom_ = 1;  // on a top level only
  QPoint origin_;
  static inline int dispatchDepth_ = 0;
};

// The client area of a control in screen coordinates: through the native
// window when there is one, else from the bounds up to the form. In a zoomed
// window these are unzoomed coordinates from the client area's corner on the
// screen, as ScreenPointUnzoomed gives them for pointer positions.
TRect ClientRectOnScreen(const TControl& control);

// A screen point over a zoomed window in the coordinates ClientRectOnScreen uses.
QPoint ScreenPointUnzoomed(const ControlWidget& widget, const QPoint& global);

}  // namespace tintoral
