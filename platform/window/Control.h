#pragma once
// TControl: the base of everything placed on a form. It has bounds relative
// to its parent's client area, a parent (a TWinControl), visibility, an
// enabled state, alignment, a font and colour that may follow the parent's,
// a caption, a hint, and the mouse events. Windowed controls (TWinControl)
// add a native window, keyboard and focus; graphic controls
// (TGraphicControl) paint on their parent.
//
// Property names are the classic ones. TControl publishes Left, Top, Width,
// Height, Cursor, Hint and HelpContext; descendants publish the others they
// use with PublishControlProperties (platform/window/ControlProperties.h).
#include <cstdint>
#include <memory>
#include <string>

#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"
#include "platform/window/KeyCodes.h"
#include "runtime/Component.h"
#include "runtime/Event.h"

namespace tintoral {

class TBitmap;
class TEnumType;
class TForm;
class TWinControl;

enum TAlign : int { alNone, alTop, alBottom, alLeft, alRight, alClient };
const TEnumType& EnumTypeOf(TAlign);

// Control positions are held within ±kCoordinateLimit and sizes within
// 0..kCoordinateLimit, so that layouts may add and double a few of them in
// int without overflow.
inline constexpr int kCoordinateLimit = 1 << 24;
// A coordinate or length computed in 64 bits, held within ±kCoordinateLimit.
int ClampCoordinate(std::int64_t value);

using TMouseEvent = TEvent<TMouseButton, TShiftState, int, int>;  // button, shift, x, y
using TMouseMoveEvent = TEvent<TShiftState, int, int>;            // shift, x, y
using TKeyEvent = TEvent<std::uint16_t&, TShiftState>;            // key (may be changed), shift
using TKeyPressEvent = TEvent<char&>;                             // Windows-1252 byte (may be changed)

class TControl : public TComponent {
  TINTORAL_CLASS(TControl, TComponent)

 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // Bounds, relative to the parent's client area. Every change goes through
  // SetBounds, which holds them within kCoordinateLimit; a size change calls
  // Resize() (OnResize).
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
  void SetTop(int value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // Whether streams write Width and Height (a form writes its client size instead when it says so).
  virtual bool IsSizeStored() const { return true; }
  // The area children and painting use, (0, 0) at the top left.
  virtual TRect ClientRect() const { return {0, 0, width_, height_}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  virtual void SetClientSize(int width, int height);
  void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
  void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }
  // Client coordinates of this control <-> screen coordinates.
  TPoint ClientToScreen(TPoint point) const;
  TPoint ScreenToClient(TPoint point) const;
  // The client coordinates of this control as client coordinates of `ancestor`
  // (an ancestor, or nullptr for the top-level control).
  TPoint ClientOriginIn(const TWinControl* ancestor) const;

  // The windowed control this one sits in. SetParent inserts the control at
  // the top of the parent's z-order; a windowed control gets its native
  // window when the parent has one.
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  // The top-level control (the form) this one is on: itself when it has no parent.
  TControl* Root();

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool value);
  // Sets Visible; a top-level windowed control also gets its window shown
  // (again) when Visible was already set.
  void Show();
  void Hide() { SetVisible(false); }
  // Visible, and so is every parent.
  bool IsShowingInTree() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool value);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign value);

  // The font: a copy of the parent's while ParentFont is set. Changing the
  // font clears ParentFont; setting ParentFont copies the parent's font.
  TFont& Font() { return *font_; }
  const TFont& Font() const { return *font_; }
  void SetFont(const TFont& value) { font_->Assign(value); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  // The background colour; the parent's while ParentColor is set.
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);

  // Caption and Text are the same Windows-1252 text.
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& value) { SetText(value); }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool value) { parentShowHint_ = value; }
  // Stored only.
  int Cursor() const { return cursor_; }
  void SetCursor(int value) { cursor_ = value; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }

  // Events.
  const TNotifyEvent& OnClick() const { return onClick_; }
  void SetOnClick(TNotifyEvent handler) { onClick_ = std::move(handler); }
  const TNotifyEvent& OnDblClick() const { return onDblClick_; }
  void SetOnDblClick(TNotifyEvent handler) { onDblClick_ = std::move(handler); }
  const TMouseEvent& OnMouseDown() const { return onMouseDown_; }
  void SetOnMouseDown(TMouseEvent handler) { onMouseDown_ = std::move(handler); }
  const TMouseMoveEvent& OnMouseMove() const { return onMouseMove_; }
  void SetOnMouseMove(TMouseMoveEvent handler) { onMouseMove_ = std::move(handler); }
  const TMouseEvent& OnMouseUp() const { return onMouseUp_; }
  void SetOnMouseUp(TMouseEvent handler) { onMouseUp_ = std::move(handler); }
  const TNotifyEvent& OnResize() const { return onResize_; }
  void SetOnResize(TNotifyEvent handler) { onResize_ = std::move(handler); }

  // Painting. Invalidate asks for a paint later (requests before the paint
  // coalesce into one); Repaint paints at once when the control is on screen.
  virtual void Invalidate() = 0;
  virtual void Repaint() = 0;
  void Refresh() { Repaint(); }
  // Paints the control (with everything on it) as it shows on screen into
  // `target`, sized to the client area, without needing a native window.
  virtual void RenderTo(TBitmap& target) = 0;

  // Input entry points, called by the window bridge (and by tests to drive a
  // control without a window). Coordinates are client coordinates.
  //  Down: a left press captures the mouse and arms the click; then MouseDown.
  //  Up: a left release ends the capture and fires Click when inside the
  //      client area and armed; then MouseUp.
  //  Double click: a left one captures and fires DblClick; then MouseDown
  //      with ssDouble in the shift state.
  void DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void DispatchMouseMove(TShiftState shift, int x, int y);
  void DispatchMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void DispatchDoubleClick(TMouseButton button, TShiftState shift, int x, int y);
  void DispatchMouseEnter() { MouseEnter(); }
  void DispatchMouseLeave() { MouseLeave(); }
  // True while a left press that started on this control is held.
  bool MouseCapture() const { return mouseCapture_; }

  // Streams.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  void Loaded() override;

  // The hook a form's dialog-key round offers Enter, Escape and the like to
  // (broadcast through the form's controls until one takes it). A default
  // push button answers Enter, a cancel button Escape, by clicking itself.
  virtual bool DialogKey(std::uint16_t key, TShiftState shift);

  // Overridable actions, each firing its event.
  virtual void Click();     // OnClick
  virtual void DblClick();  // OnDblClick

 protected:
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);  // OnMouseDown
  virtual void MouseMove(TShiftState shift, int x, int y);                       // OnMouseMove
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);    // OnMouseUp
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  virtual void Resize();  // OnResize, after a size change

  // Change notifications; the defaults invalidate.
  virtual void TextChanged();
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void EnabledChanged();
  virtual void VisibleChanged();
  // The parent's font or colour changed (copied already when the Parent
  // flag is set).
  virtual void ParentFontChanged();
  virtual void ParentColorChanged();
  // The bounds changed; the control has already moved.
  virtual void BoundsChanged(bool sizeChanged);

  // Windowed controls override these to move their native window.
  virtual void ApplyBoundsToWindow() {}
  virtual void ApplyVisibilityToWindow() {}
  virtual void ApplyEnabledToWindow() {}
  virtual void ApplyHintToWindow() {}

  // Called by TWinControl when the control enters or leaves a parent.
  virtual void ParentChanged() {}

 private:
  friend class TWinControl;

  void CopyParentFont();
  void CopyParentColor();
  void OwnFontChanged();
  void RequestParentRealign();

  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  TWinControl* parent_ = nullptr;
  bool visible_ = true;
  bool enabled_ = true;
  TAlign align_ = alNone;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  bool copyingParentFont_ = false;
  TColor color_ = clWindow;
  bool parentColor_ = true;
  std::string text_;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  int cursor_ = 0;
  int helpContext_ = 0;
  bool mouseCapture_ = false;
  bool clickArmed_ = false;

  TNotifyEvent onClick_;
  TNotifyEvent onDblClick_;
  TMouseEvent onMouseDown_;
  TMouseMoveEvent onMouseMove_;
  TMouseEvent onMouseUp_;
  TNotifyEvent onResize_;
};

// The form a control is on, nullptr when it is on none.
TForm* GetParentForm(TControl* control);

}  // namespace tintoral
