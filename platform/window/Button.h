#pragma once
// TButton: a push button. Clicking it (mouse released over it, Space
// released while it has the focus, Enter when it is the active default
// button, Escape when it is a cancel button) sets its form's ModalResult to
// the button's ModalResult and fires OnClick.
//
// The active default button is the focused button, or, while no button has
// the focus, the button marked Default; it wears a black frame.
#include <cstdint>

#include "platform/window/CustomControl.h"
#include "platform/window/Form.h"

namespace tintoral {

class TButton : public TCustomControl {
  TINTORAL_CLASS(TButton, TCustomControl)

 public:
  explicit TButton(TComponent* owner);

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }

  // True when Enter presses this button.
  bool IsActiveDefault() const;
  // Held down by the mouse or the space bar.
  bool Pressed() const { return pressed_; }

  void Click() override;
  bool DialogKey(std::uint16_t key, TShiftState shift) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyUp(std::uint16_t& key, TShiftState shift) override;
  void FocusGained(TWinControl* previous) override;
  void FocusLost(TWinControl* next) override;
  void EnabledChanged() override;

 private:
  void SetPressed(bool value);
  // Which button is the active default may have changed: every button of
  // the window repaints.
  void InvalidateButtonsOfWindow();

  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
  bool pressed_ = false;
  bool mouseHeld_ = false;
  bool spaceHeld_ = false;
};

}  // namespace tintoral
