#pragma once
// The instrument base: TiComponent -> TiVCLComponent -> TiCustomComponent,
// a custom control that every instrument derives from.
//
// The base owns the paint path (a fresh white surface per paint:
// background colour or picture, border, the instrument's PaintTo, the error
// text of a failed paint), the frame-rate gate of repaint requests, the
// update bracket, the dispatch of mouse, key, wheel and focus input to the
// Handle* hooks that instruments override, the transparent mode (a snapshot
// of the parent's pixels), a per-instrument lock held while painting, a
// small timer service, property files and the instrument side of the data
// link (an item manager, streamed as "OPCItems").
//
// Instruments implement PaintTo (calling DrawBackground first) and call
// RequestRepaint or RequestBackgroundRepaint from their setters, usually
// through SetPropertyField.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "instruments/base/InstrumentTypes.h"
#include "instruments/opc/ItemManager.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/window/CustomControl.h"
#include "platform/window/Timer.h"
#include "runtime/Event.h"
#include "runtime/Variant.h"
#include "system/Lock.h"

namespace tintoral {

class TReader;
class TWriter;

using TiPaintEvent = TEvent<TCanvas&>;                   // sender, canvas
using TIndexObjectEvent = TEvent<int>;                   // sender, item index
using TBeforeOPCNewDataEvent = TEvent<int, TVariant&>;   // sender, item index, value (may be changed)
using TOPCErrorEvent = TEvent<int, const std::string&>;  // sender, item index, what went wrong

// Told after an instrument accepted a value change of the named property.
using TiPropertyChangeHook = std::function<void(TObject* sender, const std::string& propertyName)>;
// Asked before an instrument changes the named property; allow starts true.
using TiEditPermissionHook = std::function<void(TObject* sender, const std::string& propertyName, bool& allow)>;
// Lets a host override IsDesigning.
using TiDesignQueryHook = std::function<void(TObject* sender, bool& designing)>;

// What a generic setter asks for after storing a changed value.
enum TiRepaintKind : int { irkRepaint = 0, irkBackgroundRepaint = 1, irkStoreOnly = 2 };

class TiComponent : public TCustomControl {
  TINTORAL_CLASS(TiComponent, TCustomControl)

 public:
  explicit TiComponent(TComponent* owner);
  ~TiComponent() override;

  // ---- Published ----------------------------------------------------------
  bool OptionSaveAllProperties() const { return optionSaveAllProperties_; }
  void SetOptionSaveAllProperties(bool value) { optionSaveAllProperties_ = value; }
  bool AutoFrameRate() const { return autoFrameRate_; }
  // On: RequestBackgroundRepaint. Off: EndUpdate, which carries out a repaint
  // the gate held back and closes an open update bracket.
  void SetAutoFrameRate(bool value);
  int UpdateFrameRate() const { return updateFrameRate_; }
  void SetUpdateFrameRate(int value) { SetPropertyField(value, updateFrameRate_, irkBackgroundRepaint); }

  // ---- Unpublished here; instruments publish what they use ---------------
  TColor BackGroundColor() const { return backGroundColor_; }
  virtual void SetBackGroundColor(TColor value);
  TiBevelStyle BorderStyle() const { return borderStyle_; }
  virtual void SetBorderStyle(TiBevelStyle value);
  // nullptr until an instrument creates it (CreateBackGroundPicture) or a
  // picture is assigned. A picture of width 0 counts as none.
  TBitmap* BackGroundPicture() const { return backGroundPicture_.get(); }
  // Copies the picture into the owned one (creating it when needed).
  void SetBackGroundPicture(const TBitmap& picture);
  int OffsetX() const { return offsetX_; }
  void SetOffsetX(int value) { SetPropertyField(value, offsetX_, irkBackgroundRepaint); }
  int OffsetY() const { return offsetY_; }
  void SetOffsetY(int value) { SetPropertyField(value, offsetY_, irkBackgroundRepaint); }
  const TiPaintEvent& OnPaint() const { return onPaint_; }
  void SetOnPaint(TiPaintEvent handler) { onPaint_ = std::move(handler); }

  // ---- State ----------------------------------------------------------------
  bool Updating() const { return updating_; }
  bool RepaintPending() const { return repaintPending_; }
  bool BackgroundRepaintPending() const { return backgroundRepaintPending_; }
  double LastRepaintTime() const { return lastRepaintTime_; }  // days, see system/Clock.h
  bool HasFocus() const { return hasFocus_; }
  bool CachedDrawing() const { return cachedDrawing_; }
  bool ErrorFlag() const { return errorFlag_; }
  void SetErrorFlag(bool value) { SetPropertyField(value, errorFlag_, irkBackgroundRepaint); }
  // Published: while on, an instrument whose ErrorFlag is set is drawn with
  // a red frame and red hatching over it, to be seen from afar.
  bool ErrorMarking() const { return errorMarking_; }
  void SetErrorMarking(bool value) { SetPropertyField(value, errorMarking_, irkBackgroundRepaint); }

  // The design state as the design query hook answers it (the component's
  // own designing state when no hook is set).
  bool IsDesigning() const;

  void SetPropertyChangeHook(TiPropertyChangeHook hook) { propertyChangeHook_ = std::move(hook); }
  void SetEditPermissionHook(TiEditPermissionHook hook) { editPermissionHook_ = std::move(hook); }
  void SetDesignQueryHook(TiDesignQueryHook hook) { designQueryHook_ = std::move(hook); }
  // For setters: whether the edit-permission hook allows changing the
  // property (true without a hook), and the property-change notification.
  bool EditPermitted(const std::string& propertyName);
  void NotifyPropertyChanged(const std::string& propertyName);

  // ---- Repaint requests -------------------------------------------------
  // Inside an update bracket only the pending flag is set; with the gate on
  // the flag is set and the gate decides; otherwise RepaintNow.
  void RequestRepaint();
  void RequestBackgroundRepaint();
  // Clears both pending flags, sets LastRepaintTime to now, invalidates.
  void RepaintNow();
  // RepaintNow unless the gate is on and the last repaint was less than one
  // frame (1 / UpdateFrameRate s) ago; then the pending flags stay set.
  void ThrottledRepaint();

  // The generic setter: when value differs from field (integers, colours,
  // enumerations and Booleans as integers, doubles exactly) stores it and
  // asks for a repaint of that kind. True when it changed.
  template <class V>
  requires(std::is_arithmetic_v<V> || std::is_enum_v<V>) bool SetPropertyField(V value, V& field, TiRepaintKind kind) {
    if (value == field) return false;
    field = value;
    if (kind == irkRepaint) RequestRepaint();
    else if (kind == irkBackgroundRepaint) RequestBackgroundRepaint();
    return true;
  }

  // The clock of the frame-rate gate, in days (default: platform Now()).
  // Tests install a fake one; nullptr restores the default.
  static void SetClock(std::function<double()> clock);
  static double ClockNow();

  // Rounded to the nearest integer, ties to even: (centre.x + r cos a,
  // centre.y - r sin a) with a = angle in degrees.
  static TPoint PointAtAngle(TPoint center, double radius, double angleDegrees);

  // ---- Virtual operations, in declaration order ---------------------------
  // (Width / 2 + OffsetX, Height / 2 + OffsetY), halves truncated.
  virtual TPoint GetCenterPoint();
  virtual void SetCachedDrawing(bool value);
  // SetBorderStyle and SetBackGroundColor are declared above.
  // The background colour (or the background picture stretched, then no
  // border) and the border, over (0, 0, Width, Height).
  virtual void DrawBackground(TCanvas& canvas, TColor color);
  virtual void DrawBorder(TCanvas& canvas);
  virtual bool TimerRunning() = 0;
  virtual void TimerStart(int firstDelayMs, int intervalMs) = 0;
  virtual void TimerStop() = 0;
  // Hands a changed property value to the data link; false here.
  virtual bool DataLinkWrite(const std::string& propertyName, const TVariant& value);
  virtual void HandleFocusGained();
  virtual void HandleFocusLost();
  virtual void HandleWantSpecialKey(std::uint16_t& key, std::int32_t& result);
  virtual void HandleKeyUp(std::uint16_t& key, TShiftState shift);
  virtual void HandleKeyDown(std::uint16_t& key, TShiftState shift);
  virtual void HandleKeyPress(char& ch);
  virtual void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void HandleMouseMove(TShiftState shift, int x, int y);
  virtual void HandleDoubleClick();
  virtual bool HandleMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos);
  virtual void PaintTo(TCanvas& canvas) = 0;
  virtual void RefreshBackground();
  // Opens the update bracket (a flag, not a counter).
  virtual void BeginUpdate();
  // Closes it; a repaint held back meanwhile goes through the gate.
  virtual void EndUpdate();
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
  virtual void SavePropertiesToFile(const std::string& fileName);
  virtual void LoadPropertiesFromFile(const std::string& fileName);

 protected:
  // Creates the owned background picture (empty); its changes repaint the
  // background.
  void CreateBackGroundPicture();

  // The paint handler: the off-screen path, or the direct path on a
  // metafile target.
  void Paint() override;
  // Whether the instrument draws the pixels beneath it (the transparent
  // mode); without them the off-screen path paints straight into the paint
  // buffer, which then needs no copy of the parent's pixels.
  virtual bool ShowsPixelsBeneath() const { return false; }
  // True for an instrument whose PaintTo draws nothing before DrawBackground:
  // when that covers the control with the background colour, the paint
  // needs no white start.
  virtual bool PaintToStartsWithBackground() const { return false; }
  bool PaintsOverPixelsBeneath() override;

  // Input: the window core's hooks mapped onto the Handle* hooks.
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyUp(std::uint16_t& key, TShiftState shift) override;
  void KeyPress(char& ch) override;
  bool PreprocessKeyUp(std::uint16_t& key, TShiftState shift) override;
  int WantSpecialKey(std::uint16_t key) override;
  int DialogCode() override;
  bool MouseWheel(int delta, TShiftState shift, TPoint mousePos) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void FocusGained(TWinControl* previous) override;
  void FocusLost(TWinControl* next) override;

 public:
  void Click() override;
  void DblClick() override;

 private:
  void PaintDirect();
  void PaintOffScreen();
  void PaintOnFreshCanvas(TCanvas& canvas);
  void PaintError(TCanvas& canvas, const std::string& message);
  void PaintErrorMark(TCanvas& canvas);
  void RequestRepaintWith(bool& pendingFlag);

  bool optionSaveAllProperties_ = false;
  bool autoFrameRate_ = false;
  int updateFrameRate_ = 60;
  TColor backGroundColor_ = ColorFromBits(0xFF00000F);  // button face
  TiBevelStyle borderStyle_ = ibsNone;
  std::unique_ptr<TBitmap> backGroundPicture_;
  int offsetX_ = 0;
  int offsetY_ = 0;
  TiPaintEvent onPaint_;
  bool updating_ = false;
  double lastRepaintTime_ = 0;
  bool repaintPending_ = false;
  bool backgroundRepaintPending_ = false;
  bool hasFocus_ = false;
  bool cachedDrawing_ = true;
  bool errorFlag_ = false;
  bool errorMarking_ = false;
  TiPropertyChangeHook propertyChangeHook_;
  TiEditPermissionHook editPermissionHook_;
  TiDesignQueryHook designQueryHook_;
};

class TiVCLComponent : public TiComponent {
  TINTORAL_CLASS(TiVCLComponent, TiComponent)

 public:
  explicit TiVCLComponent(TComponent* owner);
  ~TiVCLComponent() override;

  // Data-link events.
  const TIndexObjectEvent& OnNewOPCData() const { return onNewOPCData_; }
  void SetOnNewOPCData(TIndexObjectEvent handler) { onNewOPCData_ = std::move(handler); }
  const TBeforeOPCNewDataEvent& OnBeforeNewOPCData() const { return onBeforeNewOPCData_; }
  void SetOnBeforeNewOPCData(TBeforeOPCNewDataEvent handler) { onBeforeNewOPCData_ = std::move(handler); }
  // A value from the server that could not be taken, or a write that could
  // not be made: never a message box, since nobody may be at the panel.
  // Also written (rate-limited) to the data link's error log.
  const TOPCErrorEvent& OnOPCError() const { return onOPCError_; }
  void SetOnOPCError(TOPCErrorEvent handler) { onOPCError_ = std::move(handler); }
  TiOPCItemManager& OPCItemManager() { return opcItems_; }
  const TiOPCItemManager& OPCItemManager() const { return opcItems_; }
  // Set while a value from the data link is written into a property, so
  // that DataLinkWrite does not echo it back.
  bool OPCWriting() const { return opcWriting_; }

  // New data arrived for the item (on the GUI thread): fires
  // OnBeforeNewOPCData (which may change the value); when the quality is
  // good and DataLinkApply declines, writes the value into the item's
  // property; fires OnNewOPCData. Nothing for an item without PropertyName.
  // An error on the way (a value that does not convert, a handler that
  // raises) goes to the item's problem and OnOPCError, not to the user.
  void ApplyOPCData(TiOPCItem& item);
  // Writes the value through the first active item bound to the property
  // (name case ignored); true when one took it. Without an active one, the
  // first connected one refuses it (see TiOPCItem::WriteValue). While
  // OPCWriting it only clears the flag and returns false.
  bool DataLinkWrite(const std::string& propertyName, const TVariant& value) override;
  // The kind code of the (dotted) property, 0 when there is none.
  int GetPropertyKind(const std::string& propertyName) const;
  // Writes the value into every property of the object (and of the objects
  // it holds) whose full name, under `prefix`, is `name` (case ignored). The
  // value goes through its text: ordinals (sets as bit masks) as integers,
  // enumerations also from "True" / "False" (and a 0 .. 1 enumeration takes
  // any text but "0" as 1), strings as they are; floats take numbers as they
  // are and texts as float texts. ConvertError for a text that does not fit.
  static void SetPropertyFromVariant(TPersistent& object, const std::string& prefix, const TVariant& value,
                                     const std::string& name);

  // Timer service: OnTimerTick after the first delay, then every interval.
  const TNotifyEvent& OnTimerTick() const { return onTimerTick_; }
  void SetOnTimerTick(TNotifyEvent handler) { onTimerTick_ = std::move(handler); }
  bool TimerRunning() override;
  // Nothing while a timer runs. A first delay of 0 uses the interval (and
  // nothing starts when that is 0 too).
  void TimerStart(int firstDelayMs, int intervalMs) override;
  void TimerStop() override;

  // Transparency: the control shows a snapshot of its parent's pixels.
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value);
  // The snapshot (nullptr while not transparent) and whether it is to be
  // captured at the next paint.
  TBitmap* ParentSnapshot() const { return parentSnapshot_.get(); }
  bool SnapshotPending() const { return snapshotPending_; }
  void RequestSnapshot();

  // Applies an incoming data-link value itself; false: the base does.
  virtual bool DataLinkApply(TiOPCItem& item);

  void SetBounds(int left, int top, int width, int height) override;
  void DrawBackground(TCanvas& canvas, TColor color) override;
  bool ShowsPixelsBeneath() const override { return transparent_; }
  void RefreshBackground() override;
  void Lock() override;
  void Unlock() override;

 protected:
  // Copies the parent's pixels beneath the control into the snapshot when
  // the four test points (5 px inside each corner) are visible; otherwise
  // fills it with BackGroundColor and leaves the capture pending.
  void CaptureSnapshot();
  void ResizeParentSnapshot();

 private:
  TiOPCItemManager::Callbacks DataLinkCallbacks();
  void ReportOPCProblem(TiOPCItem& item, const std::string& message);
  void RestoreOPCValue(TiOPCItem& item, const TVariant& value);
  void ReadOPCItems(TReader& reader);
  void WriteOPCItems(TWriter& writer) const;

  ::tintoral::Lock lock_;
  TiOPCItemManager opcItems_;
  bool opcWriting_ = false;
  TTimerService timer_;
  TNotifyEvent onTimerTick_;
  std::unique_ptr<TBitmap> parentSnapshot_;
  bool transparent_ = false;
  bool snapshotPending_ = false;
  TIndexObjectEvent onNewOPCData_;
  TBeforeOPCNewDataEvent onBeforeNewOPCData_;
  TOPCErrorEvent onOPCError_;
};

// The class every instrument derives from; it adds nothing.
class TiCustomComponent : public TiVCLComponent {
  TINTORAL_CLASS(TiCustomComponent, TiVCLComponent)

 public:
  explicit TiCustomComponent(TComponent* owner) : TiVCLComponent(owner) {}
};

}  // namespace tintoral
