// TiSlider input: mouse presses, drags and releases in the three mouse
// control styles, the arrow, page, Home and End keys, the throttled wheel
// and the loss of focus. Every change made on the user's behalf runs with
// UserChanging set, so that the position fires OnPositionChangeUser, and
// each gesture ends with DoPositionChangeFinished.
#include "instruments/Slider.h"
#include "platform/window/KeyCodes.h"
#include "runtime/Identifiers.h"

namespace tintoral {
namespace {

constexpr double MillisecondsPerDay = 24.0 * 60 * 60 * 1000;
constexpr double WheelStepIntervalMs = 30;

// Sets UserChanging for its lifetime; cleared however the scope ends, also
// when an event handler raises.
class TUserChange {
 public:
  explicit TUserChange(TiPositionComponent& component) : component_(component) { component_.SetUserChanging(true); }
  ~TUserChange() { component_.SetUserChanging(false); }
  TUserChange(const TUserChange&) = delete;
  TUserChange& operator=(const TUserChange&) = delete;

 private:
  TiPositionComponent& component_;
};

}  // namespace

// ---- Mouse ------------------------------------------------------------------------

void TiSlider::HandleMouseDown(TMouseButton button, TShiftState, int x, int y) {
  if (button != mbLeft) return;
  ClearChangedSinceFinish();
  if (CanFocus()) SetFocus();
  {
    TUserChange change(*this);
    switch (mouseControlStyle_) {
      case ismcsSlideOnly: StartDrag(x, y); break;
      case ismcsSlidePage:
        if (!PressSlidePage(x, y)) return;
        break;
      case ismcsGoto:
        SetPosition(PixelToPosition(AlongTrack(x, y)));
        mouseDragging_ = true;
        break;
    }
  }
  RequestRepaint();
}

void TiSlider::StartDrag(int x, int y) {
  mouseDragging_ = true;
  dragStartX_ = x;
  dragStartY_ = y;
  dragStartPosition_ = Position();
}

// Tested against the pointer where Geometry puts it: across the track (ends
// inclusive) it must hit the pointer; along the track a press before the
// pointer steps one way, after it the other, and on it starts a drag.
bool TiSlider::PressSlidePage(int x, int y) {
  const TRect p = PointerRect();
  const int across = Vertical() ? x : y;
  const int acrossLow = Vertical() ? p.Left : p.Top;
  const int acrossHigh = Vertical() ? p.Right : p.Bottom;
  if (across < acrossLow || across > acrossHigh) return false;

  const int along = AlongTrack(x, y);
  const bool before = along < (Vertical() ? p.Top : p.Left);
  const bool after = along > (Vertical() ? p.Bottom : p.Right);
  if (!before && !after) {
    StartDrag(x, y);
    return true;
  }
  // Before the pointer means towards the top (vertical) or the left
  // (horizontal); ReverseScale mirrors the direction.
  const bool increase = (before == Vertical()) != reverseScale_;
  SetPosition(Position() + (increase ? keyPageStepSize_ : -keyPageStepSize_));
  return true;
}

void TiSlider::HandleMouseMove(TShiftState, int x, int y) {
  if (!mouseDragging_) return;
  const double before = Position();
  {
    TUserChange change(*this);
    if (mouseControlStyle_ == ismcsSlideOnly) DragRelative(x, y);
    else SetPosition(PixelToPosition(AlongTrack(x, y)));
  }
  if (writeWhileDragging_ && Position() != before) WriteDraggedPosition();
  RequestRepaint();
}

// At most one write per update period of the item bound to Position.
void TiSlider::WriteDraggedPosition() {
  int periodMs = 0;
  for (int i = 0; i < OPCItemManager().Count(); ++i)
    if (SameText(OPCItemManager().Items(i).PropertyName(), "Position")) {
      periodMs = OPCItemManager().Items(i).UpdateRate();
      break;
    }
  const double now = ClockNow();
  if ((now - lastDragWriteTime_) * MillisecondsPerDay < periodMs) return;
  lastDragWriteTime_ = now;
  DataLinkPushPosition();
}

// Moves by the dragged distance along the travel, relative to the press.
// Without any travel there is nothing to share out.
void TiSlider::DragRelative(int x, int y) {
  if (UsableLength() <= 0) return;
  // Upwards on a vertical slider and rightwards on a horizontal one run
  // along the travel away from its start.
  const int moved = Vertical() ? dragStartY_ - y : x - dragStartX_;
  SetPosition(dragStartPosition_ + PointerTravel().ValueChange(moved));
}

// Any button ends a drag.
void TiSlider::HandleMouseUp(TMouseButton, TShiftState, int, int) {
  RequestRepaint();
  if (!mouseDragging_) return;
  mouseDragging_ = false;
  DoPositionChangeFinished();
}

// ---- Keys -------------------------------------------------------------------------

void TiSlider::HandleKeyDown(std::uint16_t& key, TShiftState) {
  keyboardActive_ = true;
  TUserChange change(*this);
  switch (key) {
    case VK_LEFT:
    case VK_DOWN: SetPosition(Position() - keyArrowStepSize_); break;
    case VK_RIGHT:
    case VK_UP: SetPosition(Position() + keyArrowStepSize_); break;
    case VK_PRIOR: SetPosition(Position() + keyPageStepSize_); break;
    case VK_NEXT: SetPosition(Position() - keyPageStepSize_); break;
    case VK_HOME: SetPosition(PositionMin()); break;
    case VK_END: SetPosition(PositionMax()); break;
    default: return;
  }
  key = 0;
}

// May run twice for one release; the second finds KeyboardActive clear.
void TiSlider::HandleKeyUp(std::uint16_t&, TShiftState) {
  RequestRepaint();
  if (!keyboardActive_) return;
  keyboardActive_ = false;
  if (ChangedSinceFinish()) DoPositionChangeFinished();
}

void TiSlider::SetPositionAsUser(double value) {
  ClearChangedSinceFinish();
  {
    TUserChange change(*this);
    SetPosition(value);
  }
  RequestRepaint();
  if (ChangedSinceFinish()) DoPositionChangeFinished();
}

// The slider takes the four arrow keys itself.
void TiSlider::HandleWantSpecialKey(std::uint16_t& key, std::int32_t& result) {
  result = key >= VK_LEFT && key <= VK_DOWN ? 1 : 0;
}

// ---- Wheel and focus ----------------------------------------------------------------

bool TiSlider::MouseWheel(int delta, TShiftState shift, TPoint mousePos) {
  const bool handled = TiScaleComponent::MouseWheel(delta, shift, mousePos);
  // A notification without a direction is no step and does not count for
  // the throttle either.
  if (delta == 0) return handled;
  const double now = ClockNow();
  if ((now - lastWheelTime_) * MillisecondsPerDay < WheelStepIntervalMs) return handled;
  lastWheelTime_ = now;
  TUserChange change(*this);
  SetPosition(Position() + (delta > 0 ? mouseWheelStepSize_ : -mouseWheelStepSize_));
  DoPositionChangeFinished();
  return handled;
}

void TiSlider::HandleFocusLost() {
  TiScaleComponent::HandleFocusLost();
  mouseDragging_ = false;
  keyboardActive_ = false;
}

void TiSlider::DataLinkPushPosition() { DataLinkWrite("Position", TVariant(Position())); }

}  // namespace tintoral
