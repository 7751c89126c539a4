// TiComponent: properties, repaint requests, the frame-rate gate, the
// update bracket, hooks, geometry helpers and property files.
#include "instruments/base/InstrumentComponent.h"

#include <cmath>

#include "instruments/base/DrawingHelpers.h"
#include "instruments/base/PropertyFile.h"
#include "platform/window/ControlProperties.h"
#include "runtime/ClassBuilder.h"
#include "system/Clock.h"

namespace tintoral {
namespace {

std::function<double()>& ClockFunction() {
  static std::function<double()> clock;
  return clock;
}

}  // namespace

const TClassInfo& TiComponent::StaticClass() {
  static const TClassInfo info = DescribeClass<TiComponent>("TiComponent", TCustomControl::StaticClass(), [](auto& b) {
    // No popup menu and no drag and drop in the window layer: PopupMenu and
    // the drag events are not published.
    PublishControlProperties(
        b, {"Visible", "Enabled", "ShowHint", "OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp",
            "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnEnter", "OnExit"});
    b.Property("OptionSaveAllProperties", &TiComponent::OptionSaveAllProperties,
               &TiComponent::SetOptionSaveAllProperties)
        .Default(false);
    b.Property("AutoFrameRate", &TiComponent::AutoFrameRate, &TiComponent::SetAutoFrameRate).Default(false);
    b.Property("UpdateFrameRate", &TiComponent::UpdateFrameRate, &TiComponent::SetUpdateFrameRate).Default(60);
    b.Property("ErrorMarking", &TiComponent::ErrorMarking, &TiComponent::SetErrorMarking).Default(false);
  });
  return info;
}

TiComponent::TiComponent(TComponent* owner) : TCustomControl(owner), lastRepaintTime_(ClockNow()) {}

TiComponent::~TiComponent() = default;

// ---- Clock --------------------------------------------------------------------

void TiComponent::SetClock(std::function<double()> clock) { ClockFunction() = std::move(clock); }

double TiComponent::ClockNow() {
  const auto& clock = ClockFunction();
  return clock ? clock() : Now();
}

// ---- Setters ------------------------------------------------------------------

void TiComponent::SetAutoFrameRate(bool value) {
  if (autoFrameRate_ == value) return;
  autoFrameRate_ = value;
  if (value) RequestBackgroundRepaint();
  else EndUpdate();
}

void TiComponent::SetBackGroundColor(TColor value) { SetPropertyField(value, backGroundColor_, irkBackgroundRepaint); }

void TiComponent::SetBorderStyle(TiBevelStyle value) { SetPropertyField(value, borderStyle_, irkBackgroundRepaint); }

void TiComponent::SetCachedDrawing(bool value) { SetPropertyField(value, cachedDrawing_, irkBackgroundRepaint); }

void TiComponent::CreateBackGroundPicture() {
  if (backGroundPicture_) return;
  backGroundPicture_ = std::make_unique<TBitmap>();
  backGroundPicture_->SetOnChange([this] { RequestBackgroundRepaint(); });
}

void TiComponent::SetBackGroundPicture(const TBitmap& picture) {
  CreateBackGroundPicture();
  if (&picture != backGroundPicture_.get()) backGroundPicture_->Assign(picture);
}

// ---- Hooks --------------------------------------------------------------------

bool TiComponent::IsDesigning() const {
  bool designing = TComponent::IsDesigning();
  if (designQueryHook_) designQueryHook_(const_cast<TiComponent*>(this), designing);
  return designing;
}

bool TiComponent::EditPermitted(const std::string& propertyName) {
  bool allow = true;
  if (editPermissionHook_) editPermissionHook_(this, propertyName, allow);
  return allow;
}

void TiComponent::NotifyPropertyChanged(const std::string& propertyName) {
  if (propertyChangeHook_) propertyChangeHook_(this, propertyName);
}

// ---- Repaint requests -----------------------------------------------------------

void TiComponent::RequestRepaint() { RequestRepaintWith(repaintPending_); }

void TiComponent::RequestBackgroundRepaint() { RequestRepaintWith(backgroundRepaintPending_); }

void TiComponent::RequestRepaintWith(bool& pendingFlag) {
  if (updating_) {
    pendingFlag = true;
  } else if (autoFrameRate_) {
    pendingFlag = true;
    ThrottledRepaint();
  } else {
    RepaintNow();
  }
}

void TiComponent::RepaintNow() {
  repaintPending_ = false;
  backgroundRepaintPending_ = false;
  lastRepaintTime_ = ClockNow();
  Invalidate();
}

void TiComponent::ThrottledRepaint() {
  if (!autoFrameRate_ || updateFrameRate_ == 0) {
    RepaintNow();
    return;
  }
  const double frameInDays = 1.0 / (static_cast<double>(updateFrameRate_) * 86400.0);
  if (ClockNow() > lastRepaintTime_ + frameInDays) RepaintNow();
}

void TiComponent::RefreshBackground() { RequestBackgroundRepaint(); }

void TiComponent::BeginUpdate() { updating_ = true; }

void TiComponent::EndUpdate() {
  updating_ = false;
  if (repaintPending_ || backgroundRepaintPending_) ThrottledRepaint();
}

// ---- Geometry -------------------------------------------------------------------

// The offsets held to the coordinate limit, like the bounds, so that the sum stays in int.
TPoint TiComponent::GetCenterPoint() {
  return {Width() / 2 + ClampCoordinate(offsetX_), Height() / 2 + ClampCoordinate(offsetY_)};
}

TPoint TiComponent::PointAtAngle(TPoint center, double radius, double angleDegrees) {
  // Extended precision throughout; nearbyint rounds halves to even in the
  // default rounding mode.
  const long double a = DegToRad(angleDegrees);
  const long double x = center.X + radius * std::cos(a);
  const long double y = center.Y - radius * std::sin(a);
  return {static_cast<int>(std::nearbyint(x)), static_cast<int>(std::nearbyint(y))};
}

// ---- Data link and property files -----------------------------------------------

bool TiComponent::DataLinkWrite(const std::string&, const TVariant&) { return false; }

void TiComponent::SavePropertiesToFile(const std::string& fileName) {
  tintoral::SavePropertiesToFile(*this, fileName, optionSaveAllProperties_);
}

void TiComponent::LoadPropertiesFromFile(const std::string& fileName) {
  tintoral::LoadPropertiesFromFile(*this, fileName,
                                   {.beginUpdate = [this] { BeginUpdate(); }, .endUpdate = [this] { EndUpdate(); }});
}

// ---- Empty hooks ------------------------------------------------------------------

void TiComponent::HandleWantSpecialKey(std::uint16_t&, std::int32_t&) {}
void TiComponent::HandleKeyUp(std::uint16_t&, TShiftState) {}
void TiComponent::HandleKeyDown(std::uint16_t&, TShiftState) {}
void TiComponent::HandleKeyPress(char&) {}
void TiComponent::HandleMouseDown(TMouseButton, TShiftState, int, int) {}
void TiComponent::HandleMouseUp(TMouseButton, TShiftState, int, int) {}
void TiComponent::HandleMouseMove(TShiftState, int, int) {}
void TiComponent::HandleDoubleClick() {}
bool TiComponent::HandleMouseWheel(int, TShiftState, TPoint) { return false; }

}  // namespace tintoral
