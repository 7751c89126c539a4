#include "instruments/ShadowLabel.h"

#include <cstdint>
#include <cstdlib>

#include "instruments/base/DrawingHelpers.h"
#include "platform/window/Control.h"
#include "platform/window/KeyCodes.h"
#include "platform/window/WinControl.h"
#include "runtime/ClassBuilder.h"
#include "runtime/ScopeExit.h"

namespace tintoral {

const TEnumType& EnumTypeOf(TiLabelBorderStyle) {
  static const TEnumType type("TiLabelBorderStyle", {"ilbsNone", "ilbsSingle", "ilbsLowered", "ilbsRaised"});
  return type;
}

char AcceleratorOf(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return caption[i + 1];
    ++i;  // "&&" is a literal ampersand
  }
  return 0;
}

const TClassInfo& TiLabel::StaticClass() {
  using T = TiLabel;
  static const TClassInfo info = DescribeClass<T>("TiLabel", TiCustomComponent::StaticClass(), [](auto& b) {
    b.Property("Caption", &T::Caption, &T::SetCaption);
    b.Property("Alignment", &T::Alignment, &T::SetAlignment).Default(iahLeft);
    b.Property("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(true);
    b.Property("BorderStyle", &T::BorderStyle, &T::SetBorderStyle).Default(ilbsNone);
    b.Object(
        "Font", [](T& t) -> TFont& { return t.Font(); }, [](T& t, const TFont& f) { t.SetFont(f); });
    b.Property("OuterMarginLeft", &T::OuterMarginLeft, &T::SetOuterMarginLeft).Default(0);
    b.Property("OuterMarginTop", &T::OuterMarginTop, &T::SetOuterMarginTop).Default(0);
    b.Property("OuterMarginRight", &T::OuterMarginRight, &T::SetOuterMarginRight).Default(0);
    b.Property("OuterMarginBottom", &T::OuterMarginBottom, &T::SetOuterMarginBottom).Default(0);
    b.Property("ShadowShow", &T::ShadowShow, &T::SetShadowShow).Default(false);
    b.Property("ShadowXOffset", &T::ShadowXOffset, &T::SetShadowXOffset).Default(1);
    b.Property("ShadowYOffset", &T::ShadowYOffset, &T::SetShadowYOffset).Default(1);
    b.Property("ShadowColor", &T::ShadowColor, &T::SetShadowColor).Default(clGray).TypeName("TColor");
    b.Object("FocusControl", &T::FocusControl, &T::SetFocusControl);
    b.Property("BackGroundColor", &T::BackGroundColor, &T::SetBackGroundColor).Default(clBtnFace).TypeName("TColor");
    b.Property("Transparent", &T::Transparent, &T::SetTransparent).Default(false);
  });
  return info;
}

TiLabel::TiLabel(TComponent* owner) : TiCustomComponent(owner), font_(std::make_unique<TFont>()) {
  SetBounds(Left(), Top(), 28, 13);
  SetBackGroundColor(clBtnFace);
  SetTabStop(false);
  font_->SetOnChange([this] { LabelFontChanged(); });
}

TiLabel::~TiLabel() { font_->SetOnChange(nullptr); }

// ---- Setters ----------------------------------------------------------------------

void TiLabel::SetCaption(const std::string& value) {
  if (value == caption_) return;
  if (!IsLoading() && !EditPermitted("Caption")) return;
  caption_ = value;
  ApplyAutoSize();
  RequestRepaint();
}

void TiLabel::SetFocusControl(TWinControl* value) {
  focusControl_ = value;
  if (value) value->FreeNotification(this);
  RequestRepaint();
}

void TiLabel::LabelFontChanged() {
  ApplyAutoSize();
  RequestRepaint();
}

void TiLabel::Notification(TComponent* component, TOperation operation) {
  TiCustomComponent::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

// ---- Size -------------------------------------------------------------------------

int TiLabel::BorderWidth() const {
  switch (borderStyle_) {
    case ilbsNone: return 0;
    case ilbsSingle: return 1;
    default: return 2;
  }
}

TSize TiLabel::AutoSizeExtent() {
  TCanvas& canvas = Canvas();
  canvas.Font().Assign(*font_);
  // In 64 bits: margins and offsets may hold any int; the sums are clamped.
  const std::int64_t sx = shadowShow_ ? std::abs(std::int64_t{shadowXOffset_}) : 0;
  const std::int64_t sy = shadowShow_ ? std::abs(std::int64_t{shadowYOffset_}) : 0;
  const std::int64_t b = BorderWidth();
  const std::int64_t width =
      2 * b + std::int64_t{outerMarginLeft_} + outerMarginRight_ + canvas.TextWidth(caption_) + sx;
  const std::int64_t height =
      2 * b + std::int64_t{outerMarginTop_} + outerMarginBottom_ + canvas.TextHeight(caption_) + sy;
  return {ClampCoordinate(width), ClampCoordinate(height)};
}

void TiLabel::ApplyAutoSize() {
  if (resizing_ || IsLoading() || !autoSize_) return;
  resizing_ = true;
  const TScopeExit endResize([this] { resizing_ = false; });
  const TSize size = AutoSizeExtent();
  SetBounds(Left(), Top(), size.Width, size.Height);
  onAutoSize_(this);
}

// ---- Painting ---------------------------------------------------------------------

TRect TiLabel::TextRect() const {
  const int b = BorderWidth();
  return TRect{b + ClampCoordinate(outerMarginLeft_), b + ClampCoordinate(outerMarginTop_),
               Width() - b - ClampCoordinate(outerMarginRight_), Height() - b - ClampCoordinate(outerMarginBottom_)};
}

std::uint16_t TiLabel::TextFlags() const {
  std::uint16_t flags = DrawTextFlag::SingleLine | DrawTextFlag::VerticalCenter;
  switch (alignment_) {
    case iahCenter: flags |= DrawTextFlag::Center; break;
    case iahLeft: flags |= DrawTextFlag::Left; break;
    case iahRight: flags |= DrawTextFlag::Right; break;
  }
  if (focusControl_) flags |= DrawTextFlag::Prefix;
  return flags;
}

namespace {

TRect Moved(const TRect& r, int dx, int dy) { return TRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

}  // namespace

void TiLabel::DrawCaption(TCanvas& canvas, const TRect& rect, TColor color) const {
  canvas.Font().SetColor(color);
  DrawTextFlags(canvas, caption_, rect, TextFlags());
}

void TiLabel::PaintTo(TCanvas& canvas) {
  DrawBackground(canvas, BackGroundColor());
  canvas.Font().Assign(*font_);
  // The size in points again, so that it is the same on any surface.
  canvas.Font().SetSize(font_->Size());
  canvas.Brush().SetStyle(bsClear);
  TRect rect = TextRect();
  // The caption lies on its shadow, which sits at the offsets from it; a
  // negative x offset leaves the shadow in the rectangle and moves the caption.
  if (shadowShow_) {
    const int dx = ClampCoordinate(shadowXOffset_);
    const int dy = ClampCoordinate(shadowYOffset_);
    if (dx >= 0) rect = Moved(rect, dx, dy);
    DrawCaption(canvas, rect, shadowColor_);
    rect = Moved(rect, -dx, -dy);
  }
  DrawCaption(canvas, rect, font_->Color());
  DrawLabelBorder(canvas);
}

void TiLabel::DrawLabelBorder(TCanvas& canvas) const {
  const TRect whole{0, 0, Width(), Height()};
  canvas.Pen().SetColor(clWindowFrame);
  switch (borderStyle_) {
    case ilbsNone: break;
    case ilbsSingle: canvas.Rectangle(whole); break;
    case ilbsLowered: DrawBevelRect(canvas, whole, bevelRectSunken); break;
    case ilbsRaised: DrawBevelRect(canvas, whole, bevelRectRaised); break;
  }
}

// ---- Accelerator ------------------------------------------------------------------

bool TiLabel::DialogKey(std::uint16_t key, TShiftState shift) {
  if (focusControl_ && Enabled() && shift.Contains(ssAlt)) {
    const char accelerator = AcceleratorOf(caption_);
    const bool matches =
        accelerator != 0 && (accelerator >= 'a' && accelerator <= 'z' ? accelerator - 'a' + 'A' : accelerator) == key;
    if (matches && focusControl_->CanFocus()) {
      focusControl_->SetFocus();
      return true;
    }
  }
  return TiCustomComponent::DialogKey(key, shift);
}

}  // namespace tintoral
