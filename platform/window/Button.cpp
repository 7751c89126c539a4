#include "platform/window/Button.h"

#include <functional>

#include "platform/window/ButtonPainting.h"
#include "platform/window/ControlProperties.h"

namespace tintoral {
namespace {

void ForEachButton(TWinControl& container, const std::function<void(TButton&)>& visit) {
  for (int i = 0; i < container.ControlCount(); ++i) {
    TControl* control = container.Controls(i);
    if (auto* button = dynamic_cast<TButton*>(control)) visit(*button);
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) ForEachButton(*windowed, visit);
  }
}

}  // namespace

const TClassInfo& TButton::StaticClass() {
  static const TClassInfo info = DescribeClass<TButton>("TButton", TCustomControl::StaticClass(), [](auto& b) {
    const TControlDefaults defaults{.tabStop = true};
    b.Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
    PublishControlProperties(b, {"Caption"}, defaults);
    b.Property("Default", &TButton::Default, &TButton::SetDefault).Default(false);
    PublishControlProperties(b, {"Enabled", "Font"}, defaults);
    b.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(mrNone);
    PublishControlProperties(
        b,
        {"ParentFont", "ParentShowHint", "ShowHint", "TabOrder", "TabStop", "Visible", "OnClick", "OnEnter", "OnExit",
         "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp"},
        defaults);
  });
  return info;
}

TButton::TButton(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::SetDefault(bool value) {
  if (value == default_) return;
  default_ = value;
  InvalidateButtonsOfWindow();
}

bool TButton::IsActiveDefault() const {
  const TWinControl* top = TopLevel();
  if (auto* focusedButton = dynamic_cast<const TButton*>(top->FocusedControl())) return focusedButton == this;
  return default_;
}

void TButton::Click() {
  SetPressed(false);
  mouseHeld_ = spaceHeld_ = false;
  if (TForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TCustomControl::Click();
}

bool TButton::DialogKey(std::uint16_t key, TShiftState shift) {
  const bool taken = (key == VK_RETURN && IsActiveDefault()) || (key == VK_ESCAPE && cancel_);
  if (taken && shift.Empty() && CanFocus()) {
    Click();
    return true;
  }
  return TCustomControl::DialogKey(key, shift);
}

void TButton::SetPressed(bool value) {
  if (value == pressed_) return;
  pressed_ = value;
  Invalidate();
}

void TButton::Paint() {
  PushButtonLook look;
  look.caption = Caption();
  look.font = &Font();
  look.enabled = Enabled();
  look.framed = IsActiveDefault();
  look.pressed = pressed_;
  look.focused = Focused();
  PaintPushButton(Canvas(), ClientRect(), look);
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && Enabled()) {
    if (CanFocus() && !Focused()) SetFocus();
    mouseHeld_ = true;
    SetPressed(true);
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TButton::MouseMove(TShiftState shift, int x, int y) {
  if (mouseHeld_) SetPressed(ClientRect().Contains(x, y));
  TCustomControl::MouseMove(shift, x, y);
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && mouseHeld_) {
    mouseHeld_ = false;
    SetPressed(spaceHeld_);
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

void TButton::KeyDown(std::uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == VK_SPACE && !spaceHeld_) {
    spaceHeld_ = true;
    SetPressed(true);
  }
}

void TButton::KeyUp(std::uint16_t& key, TShiftState shift) {
  TCustomControl::KeyUp(key, shift);
  if (key == VK_SPACE && spaceHeld_) {
    spaceHeld_ = false;
    if (mouseHeld_) return;
    SetPressed(false);
    Click();
  }
}

void TButton::FocusGained(TWinControl* previous) {
  TCustomControl::FocusGained(previous);
  InvalidateButtonsOfWindow();
}

void TButton::FocusLost(TWinControl* next) {
  TCustomControl::FocusLost(next);
  spaceHeld_ = false;
  SetPressed(mouseHeld_);
  InvalidateButtonsOfWindow();
}

void TButton::EnabledChanged() {
  TCustomControl::EnabledChanged();
  if (Enabled()) return;
  mouseHeld_ = spaceHeld_ = false;
  SetPressed(false);
}

void TButton::InvalidateButtonsOfWindow() {
  Invalidate();
  ForEachButton(*TopLevel(), [](TButton& button) { button.Invalidate(); });
}

}  // namespace tintoral
