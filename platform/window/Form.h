#pragma once
// TForm: a top-level window and the root of a form stream.
//
// Left, Top, Width and Height are the OUTER bounds of the window (frame and
// caption included), as the classic frame metrics below give them; the
// client area, where the children sit, is ClientWidth x ClientHeight, and the
// native window's client size is exactly that.
//
// A form class with a fixed layout reads it in its constructor:
//
//   TForm1::TForm1(TComponent* owner) : TForm(owner) { LoadLayout(kForm1Layout); }
//
// LoadLayout reads the text form into the form (components, properties,
// events bound to the methods the class registers), runs the after-load
// steps, then OnCreate, then shows the form when the layout said Visible.
#include <cstdint>
#include <string_view>

#include "platform/window/WinControl.h"

namespace tintoral {

enum TFormBorderStyle : int { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
const TEnumType& EnumTypeOf(TFormBorderStyle);

enum TBorderIcon : int { biSystemMenu, biMinimize, biMaximize, biHelp };
// Set of TBorderIcon: bit n is icon n.
using TBorderIcons = std::uint8_t;
constexpr TBorderIcons BorderIconBit(TBorderIcon icon) { return static_cast<TBorderIcons>(1u << icon); }
constexpr TBorderIcons kDefaultBorderIcons =
    BorderIconBit(biSystemMenu) | BorderIconBit(biMinimize) | BorderIconBit(biMaximize);
const TEnumType& BorderIconType();

enum TPosition : int {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
const TEnumType& EnumTypeOf(TPosition);

enum TCloseAction : int { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

using TCloseEvent = TEvent<TCloseAction&>;
using TCloseQueryEvent = TEvent<bool&>;

// Classic window frame metrics (pixels): the border on each side and the
// caption bar height.
constexpr int kSizeableBorderWidth = 4;  // bsSizeable, bsSizeToolWin
constexpr int kFixedBorderWidth = 3;     // bsSingle, bsDialog, bsToolWindow
constexpr int kCaptionHeight = 19;       // bsSingle, bsSizeable, bsDialog
constexpr int kToolCaptionHeight = 17;   // bsToolWindow, bsSizeToolWin

struct TFrameMetrics {
  int border = 0;   // each side
  int caption = 0;  // above the client area, below the top border
  int ExtraWidth() const { return 2 * border; }
  int ExtraHeight() const { return 2 * border + caption; }
};
TFrameMetrics FrameMetricsOf(TFormBorderStyle style);

class TForm : public TWinControl {
  TINTORAL_CLASS(TForm, TWinControl)

 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  // The client area: the outer size less the frame.
  TRect ClientRect() const override;
  void SetClientSize(int width, int height) override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool value) { keyPreview_ = value; }
  // Stored only.
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
  int TextHeight() const { return textHeight_; }
  void SetTextHeight(int value) { textHeight_ = value; }
  bool OldCreateOrder() const { return oldCreateOrder_; }
  void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }
  bool Scaled() const { return scaled_; }
  void SetScaled(bool value) { scaled_ = value; }
  // Streams write Width/Height while AutoScroll is set, else ClientWidth/ClientHeight.
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool value) { autoScroll_ = value; }
  bool IsSizeStored() const override { return autoScroll_; }

  // The control with the focus; setting it moves the focus there (kept for
  // the first showing while the form is hidden or loading).
  TWinControl* ActiveControl() const;
  void SetActiveControl(TWinControl* control);

  // Showing. SetVisible(true) (Show) creates the native window, places it by
  // Position and shows it; SetVisible(false) (Hide) hides it.
  void SetVisible(bool value) override;
  // OnCloseQuery, then OnClose with caHide; caNone keeps the form open. The
  // main form's closing ends the application; a modal form's sets
  // ModalResult to mrCancel.
  void Close();
  // Shows the form application-modal, centred on the screen at every
  // showing (or on the owner / main form for poOwnerFormCenter and
  // poMainFormCenter), runs a nested event loop until ModalResult is set
  // (the close box gives mrCancel), hides the form and returns the result.
  // Raises InvalidOperation when the form is already visible.
  TModalResult ShowModal();
  bool IsModal() const { return modal_; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value);
  // Shows this form in the native window of `previous`, in its place: the
  // same window (its id, position, client size and full-screen state) holds
  // this form from now on, shown when it was shown, and `previous` is left
  // hidden without a window. For a form read again while it runs (a wall
  // screen must not jump). Does nothing when `previous` has no window or
  // this form already has one.
  void TakeWindowOf(TForm& previous);
  // Fires OnDestroy once; the application calls it before destroying its forms.
  void BeforeDestruction();

  const TNotifyEvent& OnCreate() const { return onCreate_; }
  void SetOnCreate(TNotifyEvent handler) { onCreate_ = std::move(handler); }
  const TNotifyEvent& OnShow() const { return onShow_; }
  void SetOnShow(TNotifyEvent handler) { onShow_ = std::move(handler); }
  const TNotifyEvent& OnHide() const { return onHide_; }
  void SetOnHide(TNotifyEvent handler) { onHide_ = std::move(handler); }
  const TCloseEvent& OnClose() const { return onClose_; }
  void SetOnClose(TCloseEvent handler) { onClose_ = std::move(handler); }
  const TCloseQueryEvent& OnCloseQuery() const { return onCloseQuery_; }
  void SetOnCloseQuery(TCloseQueryEvent handler) { onCloseQuery_ = std::move(handler); }
  const TNotifyEvent& OnDestroy() const { return onDestroy_; }
  void SetOnDestroy(TNotifyEvent handler) { onDestroy_ = std::move(handler); }

  void Loaded() override;
  bool DialogKey(std::uint16_t key, TShiftState shift) override;  // Tab moves the focus
  void GetChildren(const std::function<void(TComponent*)>& proc, const TComponent* root) const override;

  // Projector zoom, off until EnableZoom. The window shows its client area
  // enlarged by a whole factor from 1 to kMaxZoom, every pixel an exact
  // block: at the chosen factor in a normal window (resized to fit it and
  // moved as far as needed to lie wholly in the screen's available area), at
  // the largest factor that fits in a maximised or full-screen one, centred
  // on the form's colour. Leaving the maximised or full-screen state gives
  // the window the chosen factor's size again. The window cannot become
  // smaller than 1x; the client size the controls see never changes.
  static constexpr int kMaxZoom = 4;
  void EnableZoom();
  bool ZoomEnabled() const { return zoomEnabled_; }
  int Zoom() const { return zoom_; }
  // Clamps the factor to 1 ... kMaxZoom, and further to the largest factor
  // whose normal window fits the screen's available area (LargestZoomOnScreen).
  void SetZoom(int factor);
  int LargestZoomOnScreen() const;
  // The factor the window shows now.
  int ShownZoom() const;
  bool FullScreen() const;
  void SetFullScreen(bool value);

  // The window system asks to close the window (its close box).
  void CloseRequestedByWindow();
  // The user moved or resized the window: the new outer position and client size.
  void WindowGeometryChanged(int left, int top, int clientWidth, int clientHeight);
  // The window was maximised, made full screen or given back its normal state.
  void WindowStateChanged();

 protected:
  // Reads the layout into this form, then OnCreate (see above).
  void LoadLayout(std::string_view layoutText);
  virtual void DoCreate();                     // OnCreate
  virtual void DoShow();                       // OnShow
  virtual void DoHide();                       // OnHide
  virtual void DoClose(TCloseAction& action);  // OnClose
  virtual bool CloseQuery();                   // OnCloseQuery
  void WindowCreated() override;
  void ApplyBoundsToWindow() override;
  void ApplyVisibilityToWindow() override;
  void TextChanged() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void ApplyWindowFlags();
  void PlaceForShowing(bool modal);
  void CentreOn(const TRect& area);
  void RunModalLoop();
  void CloseModal();
  void FocusForShowing();
  void ShowWindow();
  void HideWindow();
  // Fits the zoom to the window's client size (FormZoom.cpp).
  void FitZoomToWindow(int windowWidth, int windowHeight);
  void ApplyZoomToWindow();
  void KeepZoomedWindowOnScreen();
  // Notes whether the window fills its screen; true when it has just stopped.
  bool LeftFilledState();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = kDefaultBorderIcons;
  TPosition position_ = poDesigned;
  bool keyPreview_ = false;
  int pixelsPerInch_ = ScreenPixelsPerInch;
  int textHeight_ = 13;
  bool oldCreateOrder_ = false;
  bool scaled_ = true;
  bool autoScroll_ = true;
  int pendingClientWidth_ = -1;  // client size read while loading
  int pendingClientHeight_ = -1;
  TWinControl* activeControl_ = nullptr;  // wanted while hidden or loading
  bool modal_ = false;
  TModalResult modalResult_ = mrNone;
  void* modalLoop_ = nullptr;  // the running QEventLoop
  bool destroyFired_ = false;
  bool zoomEnabled_ = false;
  int zoom_ = 1;
  bool takingWindowGeometry_ = false;  // recording what the window reports
  bool fillingScreen_ = false;         // maximised or full screen, as last seen
  bool zoomSizePending_ = false;       // back from filling: the factor's size not yet confirmed

  TNotifyEvent onCreate_;
  TNotifyEvent onShow_;
  TNotifyEvent onHide_;
  TCloseEvent onClose_;
  TCloseQueryEvent onCloseQuery_;
  TNotifyEvent onDestroy_;
};

// True while a ShowModal loop runs.
bool ModalLoopsRunning();

// Registers the window layer's stream classes (TForm, TTimer) and the
// identifiers they use. Programs call it before reading forms; calling it
// again does no harm.
void RegisterWindowClasses();

}  // namespace tintoral
