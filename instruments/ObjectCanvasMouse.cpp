// TiObjectCanvas mouse hooks: world coordinates for the display events and
// the hit testing behind OnClickObject (a press and a release inside the
// same object's hit rectangle, the topmost object winning).
#include <string>

#include "instruments/ObjectCanvas.h"

namespace tintoral {

void TiObjectCanvas::HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  pressed_ = true;
  hitHandle_ = -1;
  for (auto entry = objects_.rbegin(); entry != objects_.rend(); ++entry)
    if (entry->object->HitRect.Contains(x, y)) {
      hitHandle_ = std::stoi(entry->key);
      break;
    }
  if (onMouseDownDisplay_) {
    const TiWorldPoint world = PixelToWorld(x, y);
    onMouseDownDisplay_(this, button, shift, world.X, world.Y);
  }
}

void TiObjectCanvas::HandleMouseMove(TShiftState shift, int x, int y) {
  if (!onMouseMoveDisplay_) return;
  const TiWorldPoint world = PixelToWorld(x, y);
  onMouseMoveDisplay_(this, shift, world.X, world.Y);
}

void TiObjectCanvas::HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  pressed_ = false;
  if (onMouseUpDisplay_) {
    const TiWorldPoint world = PixelToWorld(x, y);
    onMouseUpDisplay_(this, button, shift, world.X, world.Y);
  }
  const int pressedHandle = hitHandle_;
  hitHandle_ = -1;
  if (pressedHandle == -1) return;
  // Raises "Object not Found" when the object went away since the press.
  const TiDrawObject& object = ObjectByHandle(pressedHandle);
  if (object.HitRect.Contains(x, y)) onClickObject_(this, pressedHandle);
}

void TiObjectCanvas::HandleFocusLost() {
  TiCustomComponent::HandleFocusLost();
  pressed_ = false;
  hitHandle_ = -1;
}

}  // namespace tintoral
