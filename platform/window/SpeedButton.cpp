#include "platform/window/SpeedButton.h"

#include <algorithm>

#include "platform/window/ButtonPainting.h"
#include "platform/window/ControlProperties.h"
#include "platform/window/WinControl.h"

namespace tintoral {

const TClassInfo& TSpeedButton::StaticClass() {
  static const TClassInfo info =
      DescribeClass<TSpeedButton>("TSpeedButton", TGraphicControl::StaticClass(), [](auto& b) {
        b.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
        b.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
        b.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
        PublishControlProperties(b, {"Caption", "Enabled"});
        b.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
        PublishControlProperties(b, {"Font"});
        b.Object(
            "Glyph", [](TSpeedButton& s) -> TBitmap& { return s.Glyph(); },
            [](TSpeedButton& s, const TBitmap& value) { s.SetGlyph(value); });
        b.Property("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout).Default(blGlyphLeft);
        b.Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin).Default(-1);
        b.Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1);
        PublishControlProperties(b, {"ParentFont", "ParentShowHint", "ShowHint"});
        b.Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing).Default(4);
        b.Property("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent).Default(true);
        PublishControlProperties(b, {"Visible", "OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
      });
  return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 23, 22);
  SetColor(clBtnFace);
  glyph_.SetOnChange([this] { Invalidate(); });
}

TButtonState TSpeedButton::State() const { return Enabled() ? state_ : bsDisabled; }

void TSpeedButton::SetState(TButtonState value) {
  if (value == state_) return;
  state_ = value;
  Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool value) {
  if (value == allowAllUp_) return;
  allowAllUp_ = value;
  if (!IsLoading()) UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int value) {
  if (value == groupIndex_) return;
  groupIndex_ = value;
  if (!IsLoading()) UpdateExclusive();
}

void TSpeedButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = value;
  SetState(value ? bsExclusive : bsUp);
  if (value && !IsLoading()) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  if (groupIndex_ == 0 || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (!other || other == this || other->groupIndex_ != groupIndex_) continue;
    if (down_ && other->down_) {
      other->down_ = false;
      other->SetState(bsUp);
    }
    other->allowAllUp_ = allowAllUp_;
  }
}

void TSpeedButton::SetFlat(bool value) {
  if (value == flat_) return;
  flat_ = value;
  Invalidate();
}

void TSpeedButton::SetGlyph(const TBitmap& value) {
  glyph_.Assign(value);
  if (value.Height() > 0 && value.Width() % value.Height() == 0) {
    const int images = value.Width() / value.Height();
    SetNumGlyphs(images > 4 ? 1 : images);
  }
}

void TSpeedButton::SetLayout(TButtonLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}

void TSpeedButton::SetMargin(int value) {
  value = std::max(value, -1);
  if (value == margin_) return;
  margin_ = value;
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int value) {
  value = std::clamp(value, 1, 4);
  if (value == numGlyphs_) return;
  numGlyphs_ = value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int value) {
  value = std::max(value, -1);
  if (value == spacing_) return;
  spacing_ = value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}

void TSpeedButton::Paint() {
  SpeedButtonLook look;
  look.state = State();
  look.flat = flat_;
  look.mouseInControl = mouseInControl_;
  look.transparent = transparent_;
  look.color = Color();
  look.glyph = &glyph_;
  look.numGlyphs = numGlyphs_;
  look.caption = Caption();
  look.font = &Font();
  look.layout = layout_;
  look.margin = margin_;
  look.spacing = spacing_;
  PaintSpeedButton(Canvas(), ClientRect(), look);
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  if (!down_) SetState(bsDown);
  dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  const bool inside = ClientRect().Contains(x, y);
  SetState(down_ ? bsExclusive : inside ? bsDown : bsUp);
}

void TSpeedButton::Click() {
  // Released over the button: it looks up (or down, in a group) before the handler runs.
  if (dragging_) ReleasePress(true);
  TGraphicControl::Click();
}

void TSpeedButton::Press() {
  if (!Enabled()) return;
  ReleasePress(true);
  TGraphicControl::Click();
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && dragging_) ReleasePress(false);
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::ReleasePress(bool clicked) {
  dragging_ = false;
  if (groupIndex_ == 0) {
    SetState(bsUp);
  } else if (clicked) {
    SetDown(!down_);
  } else {
    SetState(down_ ? bsExclusive : bsUp);
  }
  if (!clicked && mouseInControl_) {
    mouseInControl_ = false;
    Invalidate();
  }
}

void TSpeedButton::MouseEnter() {
  TGraphicControl::MouseEnter();
  if (mouseInControl_ || !Enabled()) return;
  mouseInControl_ = true;
  if (flat_) Invalidate();
}

void TSpeedButton::MouseLeave() {
  TGraphicControl::MouseLeave();
  if (!mouseInControl_ || dragging_) return;
  mouseInControl_ = false;
  if (flat_) Invalidate();
}

void TSpeedButton::EnabledChanged() {
  TGraphicControl::EnabledChanged();
  if (!Enabled()) {
    dragging_ = false;
    mouseInControl_ = false;
  }
}

}  // namespace tintoral
