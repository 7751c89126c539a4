#include "tools/paneldesigner/DesignCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/window/Control.h"
#include "platform/window/WinControl.h"
#include "runtime/Exception.h"
#include "tools/paneldesigner/DesignCanvasAccessible.h"
#include "tools/paneldesigner/DesignContainers.h"
#include "tools/paneldesigner/DesignDocument.h"

namespace tintoral {
namespace {

constexpr int kHandle = 5;
// Size of a control placed with a click rather than a drag.
constexpr int kPlacedWidth = 64;
constexpr int kPlacedHeight = 32;
// A press that moves less than this is a click.
constexpr int kDragThreshold = 3;

TPoint PointOf(const QMouseEvent* event) {
  return {static_cast<int>(event->position().x()), static_cast<int>(event->position().y())};
}

TRect Normalised(TPoint a, TPoint b) {
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

// The bounds a resize handle gives: handles 0..7 run clockwise from the top left.
TRect Resized(TRect r, int handle, int dx, int dy) {
  const bool left = handle == 0 || handle == 6 || handle == 7;
  const bool right = handle >= 2 && handle <= 4;
  const bool top = handle <= 2;
  const bool bottom = handle >= 4 && handle <= 6;
  if (left) r.Left = std::min(r.Left + dx, r.Right);
  if (right) r.Right = std::max(r.Right + dx, r.Left);
  if (top) r.Top = std::min(r.Top + dy, r.Bottom);
  if (bottom) r.Bottom = std::max(r.Bottom + dy, r.Top);
  return r;
}

}  // namespace

DesignCanvas::DesignCanvas(QWidget* parent) : QWidget(parent) {
  InstallDesignCanvasAccessibility();
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(false);
  setAccessibleName("Form");
  setAccessibleDescription(
      "The form being designed. Arrows move the selection, Shift+arrows resize it, "
      "Tab selects the next control, Ctrl+Tab adds it to the selection");
}

void DesignCanvas::SetDocument(TDesignDocument* document) {
  document_ = document;
  drag_ = TDrag::None;
  Refresh();
}

void DesignCanvas::Refresh() {
  if (!document_) return;
  try {
    document_->Root().RenderTo(picture_);
  } catch (const Exception& error) {
    Report(error.Message());  // the control that failed shows its error in place
  }
  setMinimumSize(picture_.Width(), picture_.Height());
  resize(picture_.Width(), picture_.Height());
  update();
}

void DesignCanvas::Changed() {
  Refresh();
  if (onChanged) onChanged();
}

void DesignCanvas::Report(const std::string& message) {
  if (onError) onError(message);
}

template <class F>
void DesignCanvas::Attempt(F&& command) {
  try {
    command();
  } catch (const Exception& error) {
    Report(error.Message());
  }
  Changed();
}

int DesignCanvas::Snapped(int value, bool snap) const {
  if (!snap || grid_ <= 1) return value;
  const int down = value >= 0 ? value / grid_ * grid_ : -((-value + grid_ - 1) / grid_ * grid_);
  return value - down >= (grid_ + 1) / 2 ? down + grid_ : down;
}

std::vector<TRect> DesignCanvas::HandlesOf(const TRect& b) const {
  const int cx = (b.Left + b.Right) / 2, cy = (b.Top + b.Bottom) / 2;
  const TPoint centres[8] = {{b.Left, b.Top},
                             {cx, b.Top},
                             {b.Right - 1, b.Top},
                             {b.Right - 1, cy},
                             {b.Right - 1, b.Bottom - 1},
                             {cx, b.Bottom - 1},
                             {b.Left, b.Bottom - 1},
                             {b.Left, cy}};
  std::vector<TRect> handles;
  for (const TPoint& c : centres)
    handles.push_back({c.X - kHandle / 2, c.Y - kHandle / 2, c.X + kHandle / 2 + 1, c.Y + kHandle / 2 + 1});
  return handles;
}

int DesignCanvas::HandleAt(TPoint point) const {
  const std::vector<TControl*> selected = document_->SelectedControls();
  if (selected.size() != 1) return -1;
  const std::vector<TRect> handles = HandlesOf(document_->BoundsInRoot(*selected.front()));
  for (int i = 0; i < 8; ++i) {
    const TRect& h = handles[static_cast<std::size_t>(i)];
    if (point.X >= h.Left - 1 && point.X <= h.Right && point.Y >= h.Top - 1 && point.Y <= h.Bottom) return i;
  }
  return -1;
}

void DesignCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!document_) return;
  painter.drawImage(0, 0, picture_.WrapAsImage());
  const std::vector<TControl*> selected = document_->SelectedControls();
  for (TControl* control : selected) {
    const TRect b = document_->BoundsInRoot(*control);
    painter.setPen(QPen(QColor(0, 0, 0), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(b.Left, b.Top, b.Width() - 1, b.Height() - 1);
    const QColor fill = selected.size() == 1 ? QColor(0, 0, 0) : QColor(128, 128, 128);
    painter.setPen(QPen(QColor(255, 255, 255), 1));
    for (const TRect& h : HandlesOf(b)) {
      painter.fillRect(h.Left, h.Top, h.Width(), h.Height(), fill);
      painter.drawRect(h.Left - 1, h.Top - 1, h.Width() + 1, h.Height() + 1);
    }
  }
  if (drag_ == TDrag::RubberBand || drag_ == TDrag::Place) {
    const TRect r = Normalised(press_, current_);
    painter.setPen(QPen(QColor(0, 0, 128), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.Left, r.Top, r.Width(), r.Height());
  }
}

void DesignCanvas::mousePressEvent(QMouseEvent* event) {
  if (!document_ || event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  press_ = current_ = PointOf(event);
  dragged_.clear();
  startBounds_.clear();
  if (!placing_.empty()) {
    drag_ = TDrag::Place;
    return;
  }
  handle_ = HandleAt(press_);
  if (handle_ >= 0) {
    drag_ = TDrag::Resize;
  } else {
    TControl& hit = document_->ControlAt(press_);
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (&hit == &document_->Root()) {
      if (!shift) document_->SelectControl(nullptr);
      drag_ = TDrag::RubberBand;
      Changed();
      return;
    }
    if (shift) {
      document_->ToggleSelected(hit);
      drag_ = TDrag::None;
      Changed();
      return;
    }
    if (!document_->IsSelected(hit)) document_->SelectControl(&hit);
    drag_ = TDrag::Move;
  }
  dragged_ = document_->SelectedControls();
  for (TControl* c : dragged_) startBounds_.push_back(c->BoundsRect());
  Changed();
}

void DesignCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (drag_ == TDrag::None || !document_) return;
  current_ = PointOf(event);
  const bool snap = snap_ && !(event->modifiers() & Qt::AltModifier);
  const int dx = current_.X - press_.X, dy = current_.Y - press_.Y;
  if (drag_ == TDrag::Move && !dragged_.empty()) {
    const TRect& anchor = startBounds_.front();
    const int sx = Snapped(anchor.Left + dx, snap) - anchor.Left;
    const int sy = Snapped(anchor.Top + dy, snap) - anchor.Top;
    for (std::size_t i = 0; i < dragged_.size(); ++i) {
      const TRect& s = startBounds_[i];
      document_->SetBoundsLive(*dragged_[i], {s.Left + sx, s.Top + sy, s.Right + sx, s.Bottom + sy});
    }
    Refresh();
  } else if (drag_ == TDrag::Resize && dragged_.size() == 1) {
    TRect r = Resized(startBounds_.front(), handle_, dx, dy);
    r = {Snapped(r.Left, snap && r.Left != startBounds_.front().Left),
         Snapped(r.Top, snap && r.Top != startBounds_.front().Top),
         Snapped(r.Right, snap && r.Right != startBounds_.front().Right),
         Snapped(r.Bottom, snap && r.Bottom != startBounds_.front().Bottom)};
    document_->SetBoundsLive(*dragged_.front(), r);
    Refresh();
  } else {
    update();
  }
}

void DesignCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (drag_ == TDrag::None || !document_ || event->button() != Qt::LeftButton) return;
  const TDrag drag = std::exchange(drag_, TDrag::None);
  current_ = PointOf(event);
  const bool moved =
      std::abs(current_.X - press_.X) >= kDragThreshold || std::abs(current_.Y - press_.Y) >= kDragThreshold;
  const bool snap = snap_ && !(event->modifiers() & Qt::AltModifier);
  switch (drag) {
    case TDrag::Move:
      Attempt([&] {
        if (!moved) return;
        TWinControl& target = document_->ContainerAt(current_);
        const bool elsewhere = std::any_of(dragged_.begin(), dragged_.end(), [&](TControl* c) {
          return c->Parent() != &target && AcceptsChild(target, c->ClassType());
        });
        document_->Commit();
        if (elsewhere) document_->MoveSelectionInto(target);
      });
      return;
    case TDrag::Resize: Attempt([&] { document_->Commit(); }); return;
    case TDrag::RubberBand: {
      std::vector<std::string> names = document_->Selection();
      for (TControl* c : document_->ControlsInside(Normalised(press_, current_))) names.push_back(c->Name());
      document_->Select(names);
      Changed();
      return;
    }
    case TDrag::Place: {
      const std::string className = placing_;
      Attempt([&] {
        TWinControl& parent = document_->ContainerAt(press_);
        const TPoint origin = parent.ClientOriginIn(nullptr);
        TRect r = moved ? Normalised(press_, current_) : Bounds(press_.X, press_.Y, kPlacedWidth, kPlacedHeight);
        r = {Snapped(r.Left, snap), Snapped(r.Top, snap), moved ? Snapped(r.Right, snap) : r.Right,
             moved ? Snapped(r.Bottom, snap) : r.Bottom};
        if (!moved) r = Bounds(r.Left, r.Top, kPlacedWidth, kPlacedHeight);
        document_->AddControl(className, parent,
                              {r.Left - origin.X, r.Top - origin.Y, r.Right - origin.X, r.Bottom - origin.Y});
      });
      placing_.clear();
      if (onPlaced) onPlaced();
      return;
    }
    case TDrag::None: return;
  }
}

void DesignCanvas::PlaceAtKeyboard(const std::string& className) {
  if (!document_) return;
  Attempt([&] {
    const std::vector<TControl*> selected = document_->SelectedControls();
    auto* container = selected.size() == 1 ? dynamic_cast<TWinControl*>(selected.front()) : nullptr;
    if (!container || !IsContainer(*container)) container = dynamic_cast<TWinControl*>(&document_->Root());
    if (!container) throw InvalidOperation("The form's root holds no controls");
    document_->AddControl(className, *container, Bounds(grid_, grid_, kPlacedWidth, kPlacedHeight));
  });
  placing_.clear();
  if (onPlaced) onPlaced();
}

bool DesignCanvas::focusNextPrevChild(bool next) {
  if (!document_) return QWidget::focusNextPrevChild(next);
  document_->SelectNeighbour(next, false);
  Changed();
  return true;
}

void DesignCanvas::keyPressEvent(QKeyEvent* event) {
  if (!document_) return QWidget::keyPressEvent(event);
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const bool control = event->modifiers() & Qt::ControlModifier;
  const int step = control ? grid_ : 1;
  if (control && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
    // Ctrl+Tab and Ctrl+Shift+Tab add a neighbour; without Ctrl the
    // selection moves (focusNextPrevChild).
    document_->SelectNeighbour(event->key() == Qt::Key_Tab, true);
    Changed();
    return;
  }
  int dx = 0, dy = 0;
  switch (event->key()) {
    case Qt::Key_Left: dx = -step; break;
    case Qt::Key_Right: dx = step; break;
    case Qt::Key_Up: dy = -step; break;
    case Qt::Key_Down: dy = step; break;
    case Qt::Key_Escape: {
      const std::vector<TControl*> selected = document_->SelectedControls();
      document_->SelectControl(selected.size() == 1 ? selected.front()->Parent() : nullptr);
      Changed();
      return;
    }
    default: QWidget::keyPressEvent(event); return;
  }
  if (document_->Selection().empty()) return;
  Attempt([&] {
    if (shift) document_->ResizeSelection(dx, dy);
    else document_->MoveSelection(dx, dy);
  });
}

}  // namespace tintoral
