#include "platform/window/Panel.h"

#include <algorithm>

#include "platform/window/ControlProperties.h"
#include "platform/window/StandardPainting.h"

namespace tintoral {
namespace {

const TEnumType& BorderStyleType() {
  static const TEnumType type("TBorderStyle", {"bsNone", "bsSingle"});
  return type;
}

}  // namespace

const TClassInfo& TPanel::StaticClass() {
  static const TClassInfo info = DescribeClass<TPanel>("TPanel", TCustomControl::StaticClass(), [](auto& b) {
    const TControlDefaults defaults{.color = clBtnFace, .parentColor = false};
    PublishControlProperties(b, {"Align"}, defaults);
    b.Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment).Default(taCenter);
    b.Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner).Default(bvNone);
    b.Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter).Default(bvRaised);
    b.Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth).Default(1);
    b.Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth).Default(0);
    b.Enum("BorderStyle", &TPanel::BorderStyle, &TPanel::SetBorderStyle, BorderStyleType()).Default(bsNone);
    PublishControlProperties(b, {"Caption", "Color", "Enabled"}, defaults);
    b.Property("FullRepaint", &TPanel::FullRepaint, &TPanel::SetFullRepaint).Default(true);
    PublishControlProperties(
        b,
        {"Font", "ParentColor", "ParentFont", "ParentShowHint", "ShowHint", "TabOrder", "TabStop", "Visible", "OnClick",
         "OnDblClick", "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"},
        defaults);
  });
  return info;
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TPanel::Changed() {
  Invalidate();
  Realign();
}

void TPanel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut value) {
  if (value == bevelInner_) return;
  bevelInner_ = value;
  Changed();
}

void TPanel::SetBevelOuter(TBevelCut value) {
  if (value == bevelOuter_) return;
  bevelOuter_ = value;
  Changed();
}

void TPanel::SetBevelWidth(int value) {
  value = std::max(value, 1);
  if (value == bevelWidth_) return;
  bevelWidth_ = value;
  Changed();
}

void TPanel::SetBorderWidth(int value) {
  value = std::max(value, 0);
  if (value == borderWidth_) return;
  borderWidth_ = value;
  Changed();
}

void TPanel::SetBorderStyle(TFormBorderStyle value) {
  if (value != bsSingle) value = bsNone;
  if (value == borderStyle_) return;
  borderStyle_ = value;
  Changed();
}

bool TPanel::PaintsOnlyItsColorIn(const TRect& part) const {
  TRect inside = ClientRect();
  AdjustClientRect(inside);
  return Caption().empty() && !part.IsEmpty() && part.Left >= inside.Left && part.Top >= inside.Top &&
         part.Right <= inside.Right && part.Bottom <= inside.Bottom;
}

void TPanel::Paint() {
  if (PaintArea() != ClientRect()) {  // a part inside the bevels
    Canvas().Brush().SetStyle(bsSolid);
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect(PaintArea());
    return;
  }
  PanelLook look;
  look.bevelOuter = bevelOuter_;
  look.bevelInner = bevelInner_;
  look.bevelWidth = bevelWidth_;
  look.borderWidth = borderWidth_;
  look.singleBorder = borderStyle_ == bsSingle;
  look.color = Color();
  look.font = &Font();
  look.caption = Caption();
  look.alignment = alignment_;
  look.enabled = Enabled();
  PaintPanel(Canvas(), ClientRect(), look);
}

void TPanel::AdjustClientRect(TRect& rect) const {
  int inset = borderWidth_;
  if (borderStyle_ == bsSingle) inset += 2;
  if (bevelOuter_ != bvNone) inset += bevelWidth_;
  if (bevelInner_ != bvNone) inset += bevelWidth_;
  rect = InsetRect(rect, inset);
}

}  // namespace tintoral
