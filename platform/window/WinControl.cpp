// TWinControl: children, tab order, focus and keyboard dispatch. The native
// window is in WinControlWindow.cpp, painting in WinControlPaint.cpp and
// alignment in ControlAlign.cpp.
#include "platform/window/WinControl.h"

#include <algorithm>
#include <climits>

#include "platform/window/Form.h"
#include "runtime/ClassBuilder.h"
#include "runtime/Exception.h"

namespace tintoral {

const TClassInfo& TWinControl::StaticClass() {
  static const TClassInfo info("TWinControl", &TControl::StaticClass());
  return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  Destroying();
  if (TWinControl* top = TopLevel(); top != this) top->ForgetFocusInside(this);
  focused_ = nullptr;
  // Children go first (they may be owned by someone else, e.g. the form):
  // their windows are Qt children of this one.
  while (!controls_.empty()) delete controls_.back();
  DestroyHandle();
  // Leave the parent while still a windowed control, so that it drops this
  // control from its tab list too.
  if (Parent()) Parent()->RemoveControl(this);
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount())
    throw ListIndexError("Control index out of bounds (" + std::to_string(index) + ")");
  return controls_[static_cast<std::size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint point, bool allowDisabled, bool allowWindowed) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!allowWindowed && dynamic_cast<TWinControl*>(c)) continue;
    if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
    if (c->BoundsRect().Contains(point.X, point.Y)) return c;
  }
  return nullptr;
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (windowed) tabList_.push_back(windowed);
  control->CopyParentFont();
  control->CopyParentColor();
  if (windowed && widget_) windowed->HandleNeeded();
  control->ParentChanged();
  ControlsChanged();
  if (control->Align() != alNone) Realign();
  if (!control->IsLoading()) InvalidateRect(control->BoundsRect());
}

void TWinControl::RemoveControl(TControl* control) {
  if (control == mouseCaptureChild_) mouseCaptureChild_ = nullptr;
  if (control == mouseHoverChild_) mouseHoverChild_ = nullptr;
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (windowed) {
    TopLevel()->ForgetFocusInside(windowed);
    windowed->DestroyHandle();
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), windowed), tabList_.end());
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  control->parent_ = nullptr;
  if (IsDestroying()) return;
  InvalidateRect(control->BoundsRect());
  control->ParentChanged();
  ControlsChanged();
  if (control->Align() != alNone) Realign();
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent && ContainsControl(parent)) throw InvalidOperation("A control cannot be placed inside itself");
  TControl::SetParent(parent);
}

// ---- Tab order ------------------------------------------------------------

int TWinControl::TabOrder() const {
  if (!Parent()) return IsLoading() ? streamTabOrder_ : -1;
  const auto& list = Parent()->tabList_;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
  if (IsLoading() || !Parent()) {
    streamTabOrder_ = value;
    return;
  }
  auto& list = Parent()->tabList_;
  for (TWinControl* sibling : list) sibling->streamTabOrder_ = -1;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  const int position = std::clamp(value, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + position, this);
}

void TWinControl::SortTabListByStreamOrder() {
  const auto key = [](const TWinControl* c) { return c->streamTabOrder_ < 0 ? INT_MAX : c->streamTabOrder_; };
  std::stable_sort(tabList_.begin(), tabList_.end(),
                   [&](const TWinControl* a, const TWinControl* b) { return key(a) < key(b); });
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (Parent() && streamTabOrder_ >= 0) Parent()->SortTabListByStreamOrder();
  Realign();
}

std::vector<TWinControl*> TWinControl::TabOrderList() const {
  std::vector<TWinControl*> list;
  for (TWinControl* child : tabList_) {
    list.push_back(child);
    const auto inner = child->TabOrderList();
    list.insert(list.end(), inner.begin(), inner.end());
  }
  return list;
}

TWinControl* TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  std::vector<TWinControl*> candidates;
  for (TWinControl* c : TabOrderList())
    if (c == current || ((!checkTabStop || c->TabStop()) && c->CanFocus())) candidates.push_back(c);
  if (!forward) std::reverse(candidates.begin(), candidates.end());
  auto it = std::find(candidates.begin(), candidates.end(), current);
  // Start after the current control, wrapping round; the current one last.
  const std::size_t start = it == candidates.end() ? 0 : static_cast<std::size_t>(it - candidates.begin()) + 1;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    TWinControl* c = candidates[(start + i) % candidates.size()];
    if (c == current) continue;
    c->SetFocus();
    return c;
  }
  return nullptr;
}

// ---- Focus ----------------------------------------------------------------

TWinControl* TWinControl::TopLevel() {
  TWinControl* c = this;
  while (c->Parent()) c = c->Parent();
  return c;
}

const TWinControl* TWinControl::TopLevel() const {
  const TWinControl* c = this;
  while (c->Parent()) c = c->Parent();
  return c;
}

bool TWinControl::Focused() const { return TopLevel()->focused_ == this; }

bool TWinControl::CanFocus() const {
  // The top level's own state does not count: a hidden form keeps the focus
  // of its controls for when it is shown.
  for (const TControl* c = this; c && c->Parent(); c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw InvalidOperation("Cannot focus a disabled or invisible window");
  TopLevel()->ChangeFocus(this);
}

void TWinControl::ChangeFocus(TWinControl* next) {
  TWinControl* previous = focused_;
  if (previous == next) {
    SyncWindowFocus(next);
    return;
  }
  focused_ = next;
  if (previous) {
    previous->FocusLost(next);
    if (focused_ != next) return;  // the handler moved the focus elsewhere
  }
  if (next) next->FocusGained(previous);
  if (focused_ == next) SyncWindowFocus(next);
}

void TWinControl::ForgetFocusInside(TWinControl* leaving) {
  if (focused_ && leaving->ContainsControl(focused_)) focused_ = nullptr;
}

void TWinControl::FocusGained(TWinControl*) { DoEnter(); }
void TWinControl::FocusLost(TWinControl*) { DoExit(); }
void TWinControl::DoEnter() { onEnter_(this); }
void TWinControl::DoExit() { onExit_(this); }

// ---- Keyboard -------------------------------------------------------------

namespace {

// The dialog code bit that keeps a navigation key from the form; 0 for other keys.
int DialogMaskOf(std::uint16_t key) {
  switch (key) {
    case VK_TAB: return DLGC_WANTTAB;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: return DLGC_WANTARROWS;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: return DLGC_WANTALLKEYS;
    default: return 0;
  }
}

bool IsNavigationKey(std::uint16_t key) { return DialogMaskOf(key) != 0; }

// Alt with a letter or digit (and without Ctrl, which makes AltGr
// characters): an accelerator, offered to the whole window first.
bool IsAcceleratorKey(std::uint16_t key, TShiftState shift) {
  const bool letterOrDigit = (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z');
  return letterOrDigit && shift.Contains(ssAlt) && !shift.Contains(ssCtrl);
}

}  // namespace

TWinControl* TWinControl::KeyTarget() {
  TWinControl* top = TopLevel();
  return top->focused_ ? top->focused_ : top;
}

bool TWinControl::TakeDialogKey(std::uint16_t key, TShiftState shift) {
  if (IsAcceleratorKey(key, shift)) return TopLevel()->DialogKey(key, shift);
  const int mask = DialogMaskOf(key);
  if (mask == 0 || WantSpecialKey(key) != 0 || (DialogCode() & mask) != 0) return false;
  TWinControl* top = TopLevel();
  return top->DialogKey(key, shift);
}

bool TWinControl::DispatchKeyDown(std::uint16_t key, TShiftState shift) {
  if (TakeDialogKey(key, shift)) return true;
  TForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview()) {
    static_cast<TWinControl*>(form)->KeyDown(key, shift);
    if (key == 0) return false;
  }
  KeyDown(key, shift);
  return false;
}

void TWinControl::DispatchKeyUp(std::uint16_t key, TShiftState shift) {
  if (PreprocessKeyUp(key, shift)) return;
  TForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview()) {
    static_cast<TWinControl*>(form)->KeyUp(key, shift);
    if (key == 0) return;
  }
  KeyUp(key, shift);
}

void TWinControl::DispatchChar(char ch) {
  TForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview()) {
    static_cast<TWinControl*>(form)->KeyPress(ch);
    if (ch == 0) return;
  }
  KeyPress(ch);
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) { onKeyDown_(this, key, shift); }
void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) { onKeyUp_(this, key, shift); }
void TWinControl::KeyPress(char& ch) { onKeyPress_(this, ch); }

bool TWinControl::PreprocessKeyUp(std::uint16_t& key, TShiftState) {
  return IsNavigationKey(key) && WantSpecialKey(key) != 0;
}

int TWinControl::WantSpecialKey(std::uint16_t) { return 0; }
int TWinControl::DialogCode() { return 0; }

bool TWinControl::DialogKey(std::uint16_t key, TShiftState shift) {
  // A copy: a handler may change the children.
  const std::vector<TControl*> children = controls_;
  for (TControl* child : children)
    if (child->DialogKey(key, shift)) return true;
  return false;
}

// ---- Wheel ----------------------------------------------------------------

int TWinControl::AccumulateWheel(int angleDelta) {
  if (angleDelta == 0) return 0;
  // A turn the other way drops what was summed towards the previous direction.
  if ((wheelRemainder_ > 0 && angleDelta < 0) || (wheelRemainder_ < 0 && angleDelta > 0)) wheelRemainder_ = 0;
  wheelRemainder_ += angleDelta;
  const int notches = wheelRemainder_ / WHEEL_DELTA;  // toward zero
  wheelRemainder_ -= notches * WHEEL_DELTA;
  return notches * WHEEL_DELTA;
}

bool TWinControl::DispatchMouseWheel(int delta, TShiftState shift, TPoint mousePos) {
  for (TWinControl* c = this; c; c = c->Parent())
    if (c->MouseWheel(delta, shift, mousePos)) return true;
  return false;
}

bool TWinControl::MouseWheel(int, TShiftState, TPoint) { return false; }

// ---- Mouse routing to graphic children ------------------------------------

TControl* TWinControl::MouseTarget(int x, int y) {
  if (mouseCaptureChild_) return mouseCaptureChild_;
  if (TControl* child = ControlAtPos({x, y})) return child;
  return this;
}

void TWinControl::UpdateHover(TControl* under) {
  if (under == this) under = nullptr;
  if (under == mouseHoverChild_) return;
  TControl* left = mouseHoverChild_;
  mouseHoverChild_ = under;
  if (left) left->DispatchMouseLeave();
  if (under) under->DispatchMouseEnter();
}

void TWinControl::WindowMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TControl* target = MouseTarget(x, y);
  if (target != this) mouseCaptureChild_ = target;
  const TPoint origin = target == this ? TPoint{} : TPoint{target->Left(), target->Top()};
  target->DispatchMouseDown(button, shift, x - origin.X, y - origin.Y);
}

void TWinControl::WindowDoubleClick(TMouseButton button, TShiftState shift, int x, int y) {
  TControl* target = MouseTarget(x, y);
  if (target != this) mouseCaptureChild_ = target;
  const TPoint origin = target == this ? TPoint{} : TPoint{target->Left(), target->Top()};
  target->DispatchDoubleClick(button, shift, x - origin.X, y - origin.Y);
}

void TWinControl::WindowMouseMove(TShiftState shift, int x, int y) {
  TControl* target = MouseTarget(x, y);
  if (!mouseCaptureChild_) UpdateHover(target);
  const TPoint origin = target == this ? TPoint{} : TPoint{target->Left(), target->Top()};
  target->DispatchMouseMove(shift, x - origin.X, y - origin.Y);
}

void TWinControl::WindowMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TControl* target = MouseTarget(x, y);
  // The capture ends with the last button held.
  if (!shift.Contains(ssLeft) && !shift.Contains(ssRight) && !shift.Contains(ssMiddle)) mouseCaptureChild_ = nullptr;
  const TPoint origin = target == this ? TPoint{} : TPoint{target->Left(), target->Top()};
  target->DispatchMouseUp(button, shift, x - origin.X, y - origin.Y);
}

void TWinControl::WindowMouseLeave() {
  if (!mouseCaptureChild_) UpdateHover(nullptr);
}

// ---- Streams --------------------------------------------------------------

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, const TComponent* root) const {
  for (TControl* child : controls_)
    if (child->Owner() == root) proc(child);
}

}  // namespace tintoral
