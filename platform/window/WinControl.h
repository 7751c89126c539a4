#pragma once
// TWinControl: a control with a native window (a QWidget), children, the
// keyboard focus and a paint buffer.
//
// The native window is created only when needed: when the control gets a
// parent that has one, or when a top-level control is shown. Until then the
// control can be built, set up, driven through the Dispatch* entry points
// and rendered into a bitmap (RenderTo) without any window.
//
// Painting: each paint renders the client area into the paint buffer (a
// TBitmap) through a TCanvas, and the window presents the buffer. Before the
// control paints, the buffer holds what the parent last rendered under it
// (unless the control paints over all of it, PaintsOverPixelsBeneath);
// then PaintWindow runs (the default fills with Color), then the graphic
// children paint in z-order, each into a bitmap of its size prefilled with
// the pixels beneath, drawn back at its position. Windowed children lie on
// top of all of that.
//
// Keyboard: the bridge hands every key to the control that has the focus.
// Key down: Tab, the arrows, Enter, Escape, Execute and Cancel are first
// offered to the form (Tab moves the focus; Enter and Escape go to the
// default and cancel buttons through DialogKey) unless the control claims
// them through WantSpecialKey (non-zero) or DialogCode (DLGC_WANTTAB for
// Tab, DLGC_WANTARROWS for the arrows, DLGC_WANTALLKEYS for Enter, Escape,
// Execute and Cancel); Alt with a letter or digit is offered to the whole
// window through DialogKey as an accelerator; then KeyDown. Characters: KeyPress, one per
// Windows-1252 byte. Key up: PreprocessKeyUp first (true ends the release),
// then KeyUp. With the form's KeyPreview set, the form's key events run
// before the control's.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/window/Control.h"

namespace tintoral {

class TCanvas;
class ControlWidget;  // the QWidget bridge (platform/window/ControlWidget.h)

class TWinControl : public TControl {
  TINTORAL_CLASS(TWinControl, TControl)

 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // Children in z-order: insertion order, the last on top.
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  // Raises ListIndexError outside 0 .. ControlCount() - 1.
  TControl* Controls(int index) const;
  // True when `control` is this control or lies anywhere inside it.
  bool ContainsControl(const TControl* control) const;
  // The topmost visible child whose bounds hold the client point, nullptr if
  // none. Disabled children count only with allowDisabled, windowed ones
  // only with allowWindowed.
  TControl* ControlAtPos(TPoint point, bool allowDisabled = false, bool allowWindowed = false) const;

  // Tab order: the position among the parent's windowed children (0 first),
  // -1 without a parent. Values read from a form stream are applied once the
  // whole stream is loaded.
  int TabOrder() const;
  void SetTabOrder(int value);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value) { tabStop_ = value; }

  // Focus. The top-level control keeps track of which control inside it has
  // the focus; a focus change tells the losing control which one gets it
  // (FocusLost(next) then OnExit) and the gaining one which had it
  // (FocusGained(previous) then OnEnter).
  bool Focused() const;
  // Visible and enabled, and so is every parent below the top level.
  virtual bool CanFocus() const;
  // Raises InvalidOperation when !CanFocus().
  void SetFocus();
  // The top-most windowed ancestor (this control when it has no parent).
  TWinControl* TopLevel();
  const TWinControl* TopLevel() const;
  // The control that has the focus inside this top-level control (nullptr
  // when none; meaningful on a top-level control).
  TWinControl* FocusedControl() const { return focused_; }
  // Moves the focus among this control's descendants. nullptr when the
  // focus did not move (no tab stop).
  TWinControl* SelectNext(TWinControl* current, bool forward, bool checkTabStop = true);
  // Every focusable descendant in tab order, depth first through containers.
  std::vector<TWinControl*> TabOrderList() const;

  // The native window.
  bool HandleAllocated() const { return widget_ != nullptr; }
  void HandleNeeded();
  // Destroys the native window of this control and its children; it is
  // created again when needed.
  void DestroyHandle();
  ControlWidget* Widget() const { return widget_; }

  // Alignment: lays out the aligned children inside ClientRect (narrowed by
  // AdjustClientRect): alTop, alBottom, alLeft, alRight in that order, each
  // group in its current position order, then alClient. Runs on resize and
  // whenever an aligned child changes; not while loading (Loaded realigns).
  void Realign();
  void DisableAlign() { ++alignDisabled_; }
  void EnableAlign();

  // Painting.
  void Invalidate() override;
  void InvalidateRect(const TRect& rect);
  void Repaint() override;
  // Renders the control with its children; a control that could not be
  // drawn shows its error, and GraphicsError "Cannot draw '<name>'
  // (<class>): <message>" names the first such control at the end.
  void RenderTo(TBitmap& target) override;
  // The client area as last painted (the parent's pixels for children).
  TBitmap& PaintBuffer() { return buffer_; }
  const TBitmap& PaintBuffer() const { return buffer_; }
  // Paints the client area into the paint buffer: the pixels beneath, then
  // PaintWindow, then the graphic children. No drawing error leaves it: one
  // of PaintWindow or of a graphic child is drawn into that control, white
  // on black. The bridge calls it before
  // presenting; `onScreen` installs the visibility test of the window.
  // `dirty` limits the work to that part of the client area when the
  // buffer already holds the rest and the control paints only its Color
  // (see PaintsOnlyItsColor); otherwise the whole client area is painted.
  void PaintBufferNow(bool onScreen);
  void PaintBufferNow(bool onScreen, const TRect& dirty);
  // True when PaintBufferNow paints this part of the client area alone,
  // keeping the rest of the buffer: several small parts may then be painted
  // one by one.
  bool PaintsPartAlone(const TRect& part) const;

  // Keyboard entry points (see above), called for the control that has the focus.
  // True when the form's dialog handling took the key (Tab, a default or
  // cancel button): the key's characters are then not delivered.
  bool DispatchKeyDown(std::uint16_t key, TShiftState shift);
  void DispatchKeyUp(std::uint16_t key, TShiftState shift);
  void DispatchChar(char ch);
  // Wheel: `delta` is a multiple of WHEEL_DELTA per notch (signed; positive
  // away from the user), `mousePos` the mouse in screen coordinates. Returns
  // the handled answer of MouseWheel; when it is false the parent is asked.
  bool DispatchMouseWheel(int delta, TShiftState shift, TPoint mousePos);
  // Sums fine wheel steps (a touchpad's small angle deltas) and returns the
  // whole notches reached, as a multiple of WHEEL_DELTA (0 while below one).
  int AccumulateWheel(int angleDelta);
  // Mouse input arriving at this control's window, in client coordinates:
  // handed to the graphic child under the mouse (which keeps it while a
  // button is held), else to this control (Dispatch* of TControl).
  void WindowMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void WindowMouseMove(TShiftState shift, int x, int y);
  void WindowMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void WindowDoubleClick(TMouseButton button, TShiftState shift, int x, int y);
  void WindowMouseLeave();
  // The focus target of keys that reach this control's window: the focused
  // control of the top level, or the top level itself.
  TWinControl* KeyTarget();

  // Events.
  const TNotifyEvent& OnEnter() const { return onEnter_; }
  void SetOnEnter(TNotifyEvent handler) { onEnter_ = std::move(handler); }
  const TNotifyEvent& OnExit() const { return onExit_; }
  void SetOnExit(TNotifyEvent handler) { onExit_ = std::move(handler); }
  const TKeyEvent& OnKeyDown() const { return onKeyDown_; }
  void SetOnKeyDown(TKeyEvent handler) { onKeyDown_ = std::move(handler); }
  const TKeyEvent& OnKeyUp() const { return onKeyUp_; }
  void SetOnKeyUp(TKeyEvent handler) { onKeyUp_ = std::move(handler); }
  const TKeyPressEvent& OnKeyPress() const { return onKeyPress_; }
  void SetOnKeyPress(TKeyPressEvent handler) { onKeyPress_ = std::move(handler); }

  void SetBounds(int left, int top, int width, int height) override;
  void SetParent(TWinControl* parent) override;
  void Loaded() override;
  bool DialogKey(std::uint16_t key, TShiftState shift) override;  // offers the key to every child
  void GetChildren(const std::function<void(TComponent*)>& proc, const TComponent* root) const override;

 protected:
  // Key hooks; the defaults fire OnKeyDown, OnKeyUp and OnKeyPress.
  virtual void KeyDown(std::uint16_t& key, TShiftState shift);
  virtual void KeyUp(std::uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& ch);
  // Sent to the focused control before each key release; true ends the
  // release (no KeyUp follows). The default answers, for Tab, the arrows,
  // Enter, Escape, Execute and Cancel, whether WantSpecialKey claims the key.
  virtual bool PreprocessKeyUp(std::uint16_t& key, TShiftState shift);
  // Non-zero: the control takes this navigation key itself. Default 0.
  virtual int WantSpecialKey(std::uint16_t key);
  // DLGC_* bits of the keys the control keeps from the form. Default 0.
  virtual int DialogCode();
  // Wheel hook; `handled` answer. Default false.
  virtual bool MouseWheel(int delta, TShiftState shift, TPoint mousePos);
  // Focus hooks: the defaults call DoEnter / DoExit.
  virtual void FocusGained(TWinControl* previous);
  virtual void FocusLost(TWinControl* next);
  virtual void DoEnter();  // OnEnter
  virtual void DoExit();   // OnExit

  // Paints the control's own pixels on the paint buffer's canvas (the pixels
  // beneath are already there). The default fills the area being painted
  // (the client area, or the dirty part of it) with Color.
  virtual void PaintWindow(TCanvas& canvas);
  // True when PaintWindow is the default fill, so a part of the buffer can
  // be repainted on its own.
  virtual bool PaintsOnlyItsColor() const { return true; }
  // True when PaintWindow paints only its Color over `part` (when painting
  // only that part, it fills PaintArea()). Default: PaintsOnlyItsColor.
  virtual bool PaintsOnlyItsColorIn(const TRect& part) const {
    (void)part;
    return PaintsOnlyItsColor();
  }
  // The part of the client area being painted.
  const TRect& PaintArea() const { return paintArea_; }
  // True when PaintWindow sets every pixel of the client area without
  // reading the pixels beneath, so the buffer is not prefilled with them.
  virtual bool PaintsOverPixelsBeneath() { return false; }
  // Puts the pixels beneath into the part of the buffer being painted: the
  // parent's where it has them, its Color elsewhere.
  void FillBufferFromParent();
  // Narrows the area that aligned children share. Default: unchanged.
  virtual void AdjustClientRect(TRect& rect) const;
  // Called once the native window exists (its geometry and visibility set).
  virtual void WindowCreated() {}
  // Takes the native window of `previous` (both top level, this one without
  // a window): the same native window presents this control from now on,
  // set up for it as a new one would be, with the windows of this control's
  // children inside; `previous` and its children are left without windows.
  void AdoptWidgetOf(TWinControl& previous);
  // The children changed: a control was inserted or removed.
  virtual void ControlsChanged() {}

  void ApplyBoundsToWindow() override;
  void ApplyVisibilityToWindow() override;
  void ApplyEnabledToWindow() override;
  void ApplyHintToWindow() override;
  void FontChanged() override;
  void ColorChanged() override;
  void BoundsChanged(bool sizeChanged) override;
  void VisibleChanged() override;

  // The position of this control's client origin in the native window it
  // is presented in (0, 0 for a windowed control).
  bool IsTopLevelWindow() const { return Parent() == nullptr; }
  // Applies the focus change inside this top-level control.
  void ChangeFocus(TWinControl* next);
  // Gives the native keyboard focus to the control's window (or the top level's).
  void SyncWindowFocus(TWinControl* control);

 private:
  friend class TControl;
  friend class ControlWidget;

  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void CreateWidget();
  // Sets the new native window up for this control and creates its children's.
  void SetUpWidget();
  void PlaceWidget();
  void PaintGraphicChildren(TCanvas& canvas);
  // Renders this control and its windowed children into `target`; the
  // report of the first control that could not be drawn, or "".
  std::string RenderAll(TBitmap& target);
  std::string RenderChildrenInto(TBitmap& target);
  void PreparePaintBuffer(const TRect& dirty);
  void SortTabListByStreamOrder();
  void ForgetFocusInside(TWinControl* leaving);
  void AlignGroup(TAlign align, TRect& rect);
  bool TakeDialogKey(std::uint16_t key, TShiftState shift);
  TControl* MouseTarget(int x, int y);
  void UpdateHover(TControl* under);

  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  int streamTabOrder_ = -1;  // read from a stream, applied by the parent once loaded
  bool tabStop_ = false;
  TWinControl* focused_ = nullptr;  // on the top level: the control with the focus
  TRect paintArea_;                 // the part of the client area PaintBufferNow is painting
  ControlWidget* widget_ = nullptr;
  TBitmap buffer_;
  std::string paintError_;  // the report of a drawing error of the last PaintBufferNow, or ""
  int alignDisabled_ = 0;
  bool aligning_ = false;
  int wheelRemainder_ = 0;
  TControl* mouseCaptureChild_ = nullptr;  // a graphic child holding the mouse
  TControl* mouseHoverChild_ = nullptr;    // the graphic child under the mouse

  TNotifyEvent onEnter_;
  TNotifyEvent onExit_;
  TKeyEvent onKeyDown_;
  TKeyEvent onKeyUp_;
  TKeyPressEvent onKeyPress_;
};

}  // namespace tintoral
