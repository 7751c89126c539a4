// TiComponent: mouse, key, wheel and focus input mapped onto the Handle*
// hooks, in the instrument's order: user events before the hook for keys,
// after it for the mouse. Errors of the general kind raised while handling
// buttons and keys are swallowed here; moves and the wheel pass them on.
#include "instruments/base/InstrumentComponent.h"
#include "instruments/base/SwallowedErrorTrace.h"
#include "instruments/base/WindowStyles.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

// Runs `action` for `handler` of `control`; an error of the general kind
// ends there (traced when the trace is on).
template <class Action>
void Swallowing(const TComponent& control, const char* handler, Action action) {
  try {
    action();
  } catch (const Exception& error) {
    TraceSwallowedError(control, handler, error.Message());
  }
}

}  // namespace

// ---- Keys ------------------------------------------------------------------------

void TiComponent::KeyDown(std::uint16_t& key, TShiftState shift) {
  Swallowing(*this, "KeyDown", [&] {
    TCustomControl::KeyDown(key, shift);  // OnKeyDown
    HandleKeyDown(key, shift);
  });
}

// Sent before each key release: a navigation key the instrument claims
// through the special-key query ends the release here; every key reaches
// HandleKeyUp with an empty shift state first.
bool TiComponent::PreprocessKeyUp(std::uint16_t& key, TShiftState shift) {
  bool ends = false;
  Swallowing(*this, "PreprocessKeyUp", [&] {
    ends = TCustomControl::PreprocessKeyUp(key, shift);
    HandleKeyUp(key, TShiftState{});
  });
  return ends;
}

void TiComponent::KeyUp(std::uint16_t& key, TShiftState shift) {
  Swallowing(*this, "KeyUp", [&] {
    TCustomControl::KeyUp(key, shift);  // OnKeyUp
    HandleKeyUp(key, shift);
  });
}

void TiComponent::KeyPress(char& ch) {
  Swallowing(*this, "KeyPress", [&] {
    TCustomControl::KeyPress(ch);  // OnKeyPress
    HandleKeyPress(ch);
  });
}

int TiComponent::WantSpecialKey(std::uint16_t key) {
  std::int32_t result = TCustomControl::WantSpecialKey(key);
  HandleWantSpecialKey(key, result);
  return result;
}

// Enter and Escape stay with the focused instrument instead of going to the
// form's default and cancel buttons.
int TiComponent::DialogCode() { return TCustomControl::DialogCode() | DLGC_WANTALLKEYS; }

// ---- Mouse -------------------------------------------------------------------------
// The window core captures the mouse on a left press and fires Click on a
// left release inside the client area before MouseUp, which is the order
// wanted here.

void TiComponent::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  Swallowing(*this, "MouseDown", [&] {
    HandleMouseDown(button, shift, x, y);
    TCustomControl::MouseDown(button, shift, x, y);  // OnMouseDown
  });
}

void TiComponent::Click() {
  Swallowing(*this, "Click", [&] { TCustomControl::Click(); });  // OnClick
}

void TiComponent::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  Swallowing(*this, "MouseUp", [&] {
    HandleMouseUp(button, shift, x, y);
    TCustomControl::MouseUp(button, shift, x, y);  // OnMouseUp
  });
}

void TiComponent::MouseMove(TShiftState shift, int x, int y) {
  HandleMouseMove(shift, x, y);
  TCustomControl::MouseMove(shift, x, y);  // OnMouseMove
}

// A left double click; the core follows it with MouseDown marked ssDouble.
void TiComponent::DblClick() {
  Swallowing(*this, "DblClick", [&] {
    HandleDoubleClick();
    TCustomControl::DblClick();  // OnDblClick
  });
}

bool TiComponent::MouseWheel(int delta, TShiftState shift, TPoint mousePos) {
  return HandleMouseWheel(delta, shift, mousePos);
}

// ---- Focus -------------------------------------------------------------------------

void TiComponent::FocusGained(TWinControl* previous) {
  HandleFocusGained();
  TCustomControl::FocusGained(previous);  // OnEnter
}

void TiComponent::FocusLost(TWinControl* next) {
  if (next != this) HandleFocusLost();
  TCustomControl::FocusLost(next);  // OnExit
}

void TiComponent::HandleFocusGained() {
  hasFocus_ = true;
  for (TWinControl* control = this; control; control = control->Parent())
    AddExtendedWindowStyle(*control, WS_EX_CONTROLPARENT);
  Invalidate();
}

// Ends any drag the instrument has going with a left release at (0, 0).
void TiComponent::HandleFocusLost() {
  Swallowing(*this, "HandleFocusLost", [&] {
    hasFocus_ = false;
    HandleMouseUp(mbLeft, TShiftState{}, 0, 0);
    Invalidate();
  });
}

}  // namespace tintoral
