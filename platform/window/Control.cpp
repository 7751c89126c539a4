#include "platform/window/Control.h"

#include <algorithm>

#include "platform/graphics/GraphicsClasses.h"
#include "platform/window/Form.h"
#include "platform/window/WinControl.h"
#include "runtime/ClassBuilder.h"
#include "runtime/ScopeExit.h"

namespace tintoral {

const TEnumType& EnumTypeOf(TAlign) {
  static const TEnumType type("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
  return type;
}

const TClassInfo& TControl::StaticClass() {
  static const TClassInfo info = DescribeClass<TControl>("TControl", TComponent::StaticClass(), [](auto& b) {
    const auto sizeStored = [](const TControl& c) { return c.IsSizeStored(); };
    b.Property("Left", &TControl::Left, &TControl::SetLeft);
    b.Property("Top", &TControl::Top, &TControl::SetTop);
    b.Property("Width", &TControl::Width, &TControl::SetWidth).Stored(sizeStored);
    b.Property("Height", &TControl::Height, &TControl::SetHeight).Stored(sizeStored);
    b.Property("Cursor", &TControl::Cursor, &TControl::SetCursor).Default(0);
    b.Property("Hint", &TControl::Hint, &TControl::SetHint);
    b.Property("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext).Default(0);
  });
  return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  font_->SetOnChange([this] { OwnFontChanged(); });
}

TControl::~TControl() {
  Destroying();
  if (parent_) parent_->RemoveControl(this);
}

int ClampCoordinate(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, -kCoordinateLimit, kCoordinateLimit));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left = ClampCoordinate(left);
  top = ClampCoordinate(top);
  width = std::clamp(width, 0, kCoordinateLimit);
  height = std::clamp(height, 0, kCoordinateLimit);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool sizeChanged = width != width_ || height != height_;
  if (parent_ && !IsLoading()) parent_->InvalidateRect(BoundsRect());
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  ApplyBoundsToWindow();
  BoundsChanged(sizeChanged);
  if (parent_ && !IsLoading()) parent_->InvalidateRect(BoundsRect());
  if (sizeChanged && !IsLoading()) Resize();
  RequestParentRealign();
}

void TControl::SetClientSize(int width, int height) {
  const TRect client = ClientRect();
  SetBounds(left_, top_, width + (width_ - client.Width()), height + (height_ - client.Height()));
}

TPoint TControl::ClientOriginIn(const TWinControl* ancestor) const {
  TPoint origin;
  for (const TControl* c = this; c && c != ancestor; c = c->parent_) {
    if (!c->parent_) break;  // the top level: its client origin is (0, 0)
    origin.X += c->left_;
    origin.Y += c->top_;
  }
  return origin;
}

TRect ClientRectOnScreen(const TControl& control);

TPoint TControl::ClientToScreen(TPoint point) const {
  const TRect area = ClientRectOnScreen(*this);
  return {point.X + area.Left, point.Y + area.Top};
}

TPoint TControl::ScreenToClient(TPoint point) const {
  const TRect area = ClientRectOnScreen(*this);
  return {point.X - area.Left, point.Y - area.Top};
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw InvalidOperation("A control cannot be its own parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

TControl* TControl::Root() {
  TControl* c = this;
  while (c->parent_) c = c->parent_;
  return c;
}

void TControl::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  ApplyVisibilityToWindow();
  VisibleChanged();
  if (parent_) {
    parent_->InvalidateRect(BoundsRect());
    if (align_ != alNone) RequestParentRealign();
  }
}

void TControl::Show() {
  if (visible_) ApplyVisibilityToWindow();
  else SetVisible(true);
}

bool TControl::IsShowingInTree() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  ApplyEnabledToWindow();
  EnabledChanged();
}

void TControl::SetAlign(TAlign value) {
  if (align_ == value) return;
  align_ = value;
  RequestParentRealign();
}

void TControl::RequestParentRealign() {
  if (parent_ && align_ != alNone && !parent_->aligning_) parent_->Realign();
}

void TControl::SetParentFont(bool value) {
  if (parentFont_ == value) return;
  parentFont_ = value;
  if (value) CopyParentFont();
}

void TControl::CopyParentFont() {
  if (!parent_ || !parentFont_) return;
  copyingParentFont_ = true;
  const TScopeExit endCopy([this] { copyingParentFont_ = false; });
  font_->Assign(parent_->Font());
}

void TControl::OwnFontChanged() {
  if (!copyingParentFont_) parentFont_ = false;
  FontChanged();
}

void TControl::SetColor(TColor value) {
  if (color_ == value && !parentColor_) return;
  parentColor_ = false;
  if (color_ == value) return;
  color_ = value;
  ColorChanged();
}

void TControl::SetParentColor(bool value) {
  if (parentColor_ == value) return;
  parentColor_ = value;
  if (value) CopyParentColor();
}

void TControl::CopyParentColor() {
  if (!parent_ || !parentColor_ || color_ == parent_->Color()) return;
  color_ = parent_->Color();
  ColorChanged();
}

void TControl::SetText(const std::string& value) {
  if (text_ == value) return;
  text_ = value;
  TextChanged();
}

void TControl::SetHint(const std::string& value) {
  if (hint_ == value) return;
  hint_ = value;
  ApplyHintToWindow();
}

void TControl::SetShowHint(bool value) {
  parentShowHint_ = false;
  if (showHint_ == value) return;
  showHint_ = value;
  ApplyHintToWindow();
}

void TControl::DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    mouseCapture_ = true;
    clickArmed_ = true;
  }
  MouseDown(button, shift, x, y);
}

void TControl::DispatchMouseMove(TShiftState shift, int x, int y) { MouseMove(shift, x, y); }

void TControl::DispatchMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    mouseCapture_ = false;
    const bool armed = clickArmed_;
    clickArmed_ = false;
    if (armed && ClientRect().Contains(x, y)) Click();
  }
  MouseUp(button, shift, x, y);
}

void TControl::DispatchDoubleClick(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    mouseCapture_ = true;
    DblClick();
  }
  MouseDown(button, shift + TShiftState{ssDouble}, x, y);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* windowed = dynamic_cast<TWinControl*>(parent)) SetParent(windowed);
  else if (!parent) SetParent(nullptr);
  else throw InvalidOperation("A " + parent->ClassName() + " cannot hold controls");
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (parentFont_) CopyParentFont();
  if (parentColor_) CopyParentColor();
}

bool TControl::DialogKey(std::uint16_t, TShiftState) { return false; }

void TControl::Click() { onClick_(this); }
void TControl::DblClick() { onDblClick_(this); }
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  onMouseDown_(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) { onMouseMove_(this, shift, x, y); }
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) { onMouseUp_(this, button, shift, x, y); }
void TControl::Resize() { onResize_(this); }

void TControl::TextChanged() { Invalidate(); }
void TControl::FontChanged() { Invalidate(); }
void TControl::ColorChanged() { Invalidate(); }
void TControl::EnabledChanged() { Invalidate(); }
void TControl::VisibleChanged() {}
void TControl::ParentFontChanged() {
  if (parentFont_) CopyParentFont();
}
void TControl::ParentColorChanged() {
  if (parentColor_) CopyParentColor();
}
void TControl::BoundsChanged(bool) {}

TForm* GetParentForm(TControl* control) {
  if (!control) return nullptr;
  return dynamic_cast<TForm*>(control->Root());
}

}  // namespace tintoral
