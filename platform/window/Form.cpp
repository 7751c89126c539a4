#include "platform/window/Form.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/graphics/GraphicsClasses.h"
#include "platform/window/Application.h"
#include "platform/window/ControlProperties.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/Timer.h"
#include "runtime/ClassBuilder.h"
#include "runtime/ClassRegistry.h"
#include "runtime/Exception.h"
#include "runtime/FormReader.h"
#include "runtime/ScopeExit.h"
#include "runtime/Windows1252.h"

namespace tintoral {

const TEnumType& EnumTypeOf(TFormBorderStyle) {
  static const TEnumType type("TFormBorderStyle",
                              {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
  return type;
}

const TEnumType& BorderIconType() {
  static const TEnumType type("TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
  return type;
}

const TEnumType& EnumTypeOf(TPosition) {
  static const TEnumType type("TPosition",
                              {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                               "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
  return type;
}

TFrameMetrics FrameMetricsOf(TFormBorderStyle style) {
  switch (style) {
    case bsNone: return {0, 0};
    case bsSingle: return {kFixedBorderWidth, kCaptionHeight};
    case bsSizeable: return {kSizeableBorderWidth, kCaptionHeight};
    case bsDialog: return {kFixedBorderWidth, kCaptionHeight};
    case bsToolWindow: return {kFixedBorderWidth, kToolCaptionHeight};
    case bsSizeToolWin: return {kSizeableBorderWidth, kToolCaptionHeight};
  }
  return {};
}

namespace {

bool IsFixedSize(TFormBorderStyle style) { return style == bsSingle || style == bsDialog || style == bsToolWindow; }

TRect ToRect(const QRect& r) { return Bounds(r.x(), r.y(), r.width(), r.height()); }

TRect ScreenArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? ToRect(screen->geometry()) : TRect{};
}

// Modal loops running (Terminate must end them).
int modalDepth = 0;

}  // namespace

const TClassInfo& TForm::StaticClass() {
  static const TClassInfo info = DescribeClass<TForm>("TForm", TWinControl::StaticClass(), [](auto& b) {
    using T = TForm;
    b.Object("ActiveControl", &T::ActiveControl, &T::SetActiveControl);
    b.Property("AutoScroll", &T::AutoScroll, &T::SetAutoScroll).Default(true);
    b.Set("BorderIcons", &T::BorderIcons, &T::SetBorderIcons, BorderIconType()).Default(kDefaultBorderIcons);
    b.Property("BorderStyle", &T::BorderStyle, &T::SetBorderStyle).Default(bsSizeable);
    PublishControlProperties(b, {"Caption"});
    const auto clientStored = [](const T& form) { return !form.IsSizeStored(); };
    // A client size read from a stream is applied once loading ends, when
    // the border style is known.
    b.Property("ClientHeight", &T::ClientHeight, [](T& form, int value) {
       if (form.IsLoading()) form.pendingClientHeight_ = value;
       else form.SetClientHeight(value);
     }).Stored(clientStored);
    b.Property("ClientWidth", &T::ClientWidth, [](T& form, int value) {
       if (form.IsLoading()) form.pendingClientWidth_ = value;
       else form.SetClientWidth(value);
     }).Stored(clientStored);
    PublishControlProperties(b, {"Color", "Enabled", "ParentFont", "Font"},
                             {.color = clBtnFace, .visible = false, .parentFont = false});
    b.Property("KeyPreview", &T::KeyPreview, &T::SetKeyPreview).Default(false);
    b.Property("OldCreateOrder", &T::OldCreateOrder, &T::SetOldCreateOrder);
    b.Property("PixelsPerInch", &T::PixelsPerInch, &T::SetPixelsPerInch);
    b.Property("Position", &T::Position, &T::SetPosition).Default(poDesigned);
    b.Property("Scaled", &T::Scaled, &T::SetScaled).Default(true);
    PublishControlProperties(b, {"ShowHint", "Visible", "OnClick"}, {.visible = false});
    b.Event("OnClose", &T::OnClose, &T::SetOnClose);
    b.Event("OnCloseQuery", &T::OnCloseQuery, &T::SetOnCloseQuery);
    b.Event("OnCreate", &T::OnCreate, &T::SetOnCreate);
    PublishControlProperties(b, {"OnDblClick"});
    b.Event("OnDestroy", &T::OnDestroy, &T::SetOnDestroy);
    b.Event("OnHide", &T::OnHide, &T::SetOnHide);
    PublishControlProperties(
        b, {"OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"});
    b.Event("OnShow", &T::OnShow, &T::SetOnShow);
    b.Property("TextHeight", &T::TextHeight, &T::SetTextHeight);
  });
  return info;
}

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
}

TForm::~TForm() {
  Destroying();
  if (modalLoop_) static_cast<QEventLoop*>(modalLoop_)->exit();
}

// ---- Size -----------------------------------------------------------------

TRect TForm::ClientRect() const {
  const TFrameMetrics frame = FrameMetricsOf(borderStyle_);
  return {0, 0, std::max(0, Width() - frame.ExtraWidth()), std::max(0, Height() - frame.ExtraHeight())};
}

void TForm::SetClientSize(int width, int height) {
  if (IsLoading()) {
    pendingClientWidth_ = width;
    pendingClientHeight_ = height;
    return;
  }
  const TFrameMetrics frame = FrameMetricsOf(borderStyle_);
  SetBounds(Left(), Top(), width + frame.ExtraWidth(), height + frame.ExtraHeight());
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  if (IsLoading()) return;
  ApplyWindowFlags();
  ApplyBoundsToWindow();
  Realign();
  Invalidate();
}

void TForm::SetBorderIcons(TBorderIcons value) {
  if (borderIcons_ == value) return;
  borderIcons_ = value;
  if (!IsLoading()) ApplyWindowFlags();
}

void TForm::Loaded() {
  TWinControl::Loaded();
  if (pendingClientWidth_ >= 0 || pendingClientHeight_ >= 0) {
    const int width = pendingClientWidth_ >= 0 ? pendingClientWidth_ : ClientWidth();
    const int height = pendingClientHeight_ >= 0 ? pendingClientHeight_ : ClientHeight();
    pendingClientWidth_ = pendingClientHeight_ = -1;
    SetClientSize(width, height);
  }
}

void TForm::WindowGeometryChanged(int left, int top, int clientWidth, int clientHeight) {
  if (zoomEnabled_) {
    // The controls keep their client area; the window shows it zoomed. Its
    // new place is only recorded: the window has it already, and its size
    // (maximised, full screen or the user's) stays as it is.
    const bool wasTaking = takingWindowGeometry_;
    takingWindowGeometry_ = true;
    SetBounds(left, top, Width(), Height());
    takingWindowGeometry_ = wasTaking;
    LeftFilledState();
    if (zoomSizePending_ && !fillingScreen_) {
      const TRect client = ClientRect();
      if (clientWidth == client.Width() * zoom_ && clientHeight == client.Height() * zoom_) {
        zoomSizePending_ = false;
      } else {
        ApplyZoomToWindow();
        return;
      }
    }
    FitZoomToWindow(clientWidth, clientHeight);
    return;
  }
  const TFrameMetrics frame = FrameMetricsOf(borderStyle_);
  SetBounds(left, top, clientWidth + frame.ExtraWidth(), clientHeight + frame.ExtraHeight());
}

// ---- The window -----------------------------------------------------------

void TForm::WindowCreated() {
  ApplyWindowFlags();
  TextChanged();
  ApplyZoomToWindow();
}

void TForm::ApplyWindowFlags() {
  QWidget* window = Widget();
  if (!window) return;
  const bool hasSystemMenu = (borderIcons_ & BorderIconBit(biSystemMenu)) != 0;
  Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  switch (borderStyle_) {
    case bsNone: flags = Qt::Window | Qt::FramelessWindowHint; break;
    case bsDialog:
      flags |= Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
      if (borderIcons_ & BorderIconBit(biHelp)) flags |= Qt::WindowContextHelpButtonHint;
      break;
    case bsToolWindow:
    case bsSizeToolWin:
      flags |= Qt::Tool;
      if (hasSystemMenu) flags |= Qt::WindowCloseButtonHint;
      break;
    case bsSingle:
    case bsSizeable:
      flags |= Qt::Window;
      if (hasSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      if (hasSystemMenu && (borderIcons_ & BorderIconBit(biMinimize))) flags |= Qt::WindowMinimizeButtonHint;
      if (hasSystemMenu && (borderIcons_ & BorderIconBit(biMaximize))) flags |= Qt::WindowMaximizeButtonHint;
      break;
  }
  const bool wasVisible = window->isVisible();
  if (window->windowFlags() != flags) window->setWindowFlags(flags);  // hides the window
  ApplyBoundsToWindow();
  if (wasVisible && !window->isVisible()) window->show();
}

void TForm::ApplyBoundsToWindow() {
  if (takingWindowGeometry_) return;
  TWinControl::ApplyBoundsToWindow();
  ControlWidget* window = Widget();
  if (!window) return;
  const TRect client = ClientRect();
  if (IsFixedSize(borderStyle_)) {
    window->setFixedSize(QSize(client.Width(), client.Height()) * window->Zoom());
  } else {
    // A zoomed window never gets smaller than its client area at 1x.
    window->setMinimumSize(zoomEnabled_ ? QSize(client.Width(), client.Height()) : QSize(0, 0));
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
}

void TForm::TextChanged() {
  TWinControl::TextChanged();
  if (Widget()) Widget()->setWindowTitle(QString::fromStdU16String(Windows1252ToUtf16(Caption())));
}

// ---- Showing --------------------------------------------------------------

void TForm::SetVisible(bool value) { TWinControl::SetVisible(value); }

void TForm::ApplyVisibilityToWindow() {
  if (IsLoading()) return;
  if (Visible()) {
    ShowWindow();
  } else {
    HideWindow();
  }
}

void TForm::ShowWindow() {
  HandleNeeded();
  if (Widget()->isVisible()) return;
  PlaceForShowing(modal_);
  DoShow();
  if (!Widget() || !Visible()) return;  // OnShow hid or destroyed it
  Widget()->show();
  Widget()->raise();
  Widget()->activateWindow();
  FocusForShowing();
}

void TForm::TakeWindowOf(TForm& previous) {
  if (&previous == this || HandleAllocated() || !previous.HandleAllocated() || Parent() || previous.Parent()) return;
  const bool shown = previous.Widget()->isVisible();
  const TFrameMetrics frame = FrameMetricsOf(borderStyle_);
  SetBounds(previous.Left(), previous.Top(), previous.ClientWidth() + frame.ExtraWidth(),
            previous.ClientHeight() + frame.ExtraHeight());
  AdoptWidgetOf(previous);
  previous.SetVisible(false);  // no window: nothing to hide
  LeftFilledState();
  if (!shown) return;
  TWinControl::SetVisible(true);  // the window shows already
  DoShow();
  FocusForShowing();
}

void TForm::HideWindow() {
  if (!Widget() || !Widget()->isVisible()) return;
  Widget()->hide();
  DoHide();
}

void TForm::FocusForShowing() {
  if (FocusedControl()) {
    SyncWindowFocus(FocusedControl());
    return;
  }
  if (activeControl_ && activeControl_->CanFocus()) {
    activeControl_->SetFocus();
  } else {
    SelectNext(nullptr, true);
  }
  if (!FocusedControl()) SyncWindowFocus(nullptr);
}

void TForm::PlaceForShowing(bool modal) {
  TPosition position = position_;
  if (modal && (position == poDesigned || position == poDefault || position == poDefaultPosOnly ||
                position == poDefaultSizeOnly))
    position = poScreenCenter;  // a modal form is centred on the screen, never on its parent
  const TForm* around = nullptr;
  if (position == poMainFormCenter) around = Application().MainForm();
  if (position == poOwnerFormCenter) around = dynamic_cast<const TForm*>(Owner());
  if (around == this || (around && !around->Visible())) around = nullptr;
  switch (position) {
    case poScreenCenter:
    case poDesktopCenter: CentreOn(ScreenArea()); break;
    case poMainFormCenter:
    case poOwnerFormCenter: CentreOn(around ? around->BoundsRect() : ScreenArea()); break;
    default: break;
  }
}

void TForm::CentreOn(const TRect& area) {
  if (area.IsEmpty()) return;
  SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(), Height());
}

void TForm::Close() {
  if (modal_) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application().MainForm() == this) {
    Application().Terminate();
  } else {
    Hide();
  }
}

void TForm::CloseRequestedByWindow() { Close(); }

TModalResult TForm::ShowModal() {
  if (Visible() || modal_) throw InvalidOperation("Cannot make a visible window modal");
  HandleNeeded();
  modalResult_ = mrNone;
  modal_ = true;
  Widget()->setWindowModality(Qt::ApplicationModal);
  ++modalDepth;
  const TScopeExit endModal([this] {
    --modalDepth;
    modal_ = false;
    Hide();
    if (Widget()) Widget()->setWindowModality(Qt::NonModal);
  });
  Show();
  RunModalLoop();
  return modalResult_;
}

void TForm::RunModalLoop() {
  QEventLoop loop;
  modalLoop_ = &loop;
  for (;;) {
    if (modalResult_ == mrNone && !Application().Terminated()) loop.exec();
    if (Application().Terminated()) {
      modalResult_ = mrCancel;
      break;
    }
    if (modalResult_ != mrNone) {
      CloseModal();
      if (modalResult_ != mrNone) break;
    }
  }
  modalLoop_ = nullptr;
}

void TForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone) modalResult_ = mrNone;
}

void TForm::SetModalResult(TModalResult value) {
  modalResult_ = value;
  if (value != mrNone && modalLoop_) static_cast<QEventLoop*>(modalLoop_)->exit();
}

bool ModalLoopsRunning() { return modalDepth > 0; }

// ---- Focus ----------------------------------------------------------------

TWinControl* TForm::ActiveControl() const { return FocusedControl() ? FocusedControl() : activeControl_; }

void TForm::SetActiveControl(TWinControl* control) {
  if (activeControl_) activeControl_->RemoveFreeNotification(this);
  activeControl_ = control;
  if (control) control->FreeNotification(this);
  if (!IsLoading() && Visible() && control && control->CanFocus()) control->SetFocus();
}

void TForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == activeControl_) activeControl_ = nullptr;
}

bool TForm::DialogKey(std::uint16_t key, TShiftState shift) {
  if (key == VK_TAB && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
    SelectNext(FocusedControl(), !shift.Contains(ssShift));
    return true;
  }
  return TWinControl::DialogKey(key, shift);
}

// ---- Layout and events ----------------------------------------------------

void TForm::LoadLayout(std::string_view layoutText) {
  ReadRootComponentText(layoutText, *this);
  DoCreate();
  if (Visible()) ApplyVisibilityToWindow();
}

void TForm::GetChildren(const std::function<void(TComponent*)>& proc, const TComponent* root) const {
  TWinControl::GetChildren(proc, root);
  if (root == this) TComponent::GetChildren(proc, root);
}

void TForm::BeforeDestruction() {
  if (destroyFired_) return;
  destroyFired_ = true;
  onDestroy_(this);
}

void TForm::DoCreate() { onCreate_(this); }
void TForm::DoShow() { onShow_(this); }
void TForm::DoHide() { onHide_(this); }
void TForm::DoClose(TCloseAction& action) { onClose_(this, action); }
bool TForm::CloseQuery() {
  bool canClose = true;
  onCloseQuery_(this, canClose);
  return canClose;
}

void RegisterWindowClasses() {
  RegisterGraphicsIdents();
  RegisterComponentClass<TForm>();
  RegisterComponentClass<TTimer>();
}

}  // namespace tintoral
