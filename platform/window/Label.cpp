#include "platform/window/Label.h"

#include "platform/window/ControlProperties.h"
#include "platform/window/StandardPainting.h"

namespace tintoral {

const TClassInfo& TLabel::StaticClass() {
  static const TClassInfo info = DescribeClass<TLabel>("TLabel", TGraphicControl::StaticClass(), [](auto& b) {
    PublishControlProperties(b, {"Align"});
    b.Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment).Default(taLeftJustify);
    b.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(true);
    PublishControlProperties(b, {"Caption", "Color", "Enabled", "Font", "ParentColor", "ParentFont", "ParentShowHint"});
    b.Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
    PublishControlProperties(b, {"ShowHint"});
    b.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(false);
    b.Property("Layout", &TLabel::Layout, &TLabel::SetLayout).Default(tlTop);
    PublishControlProperties(b, {"Visible"});
    b.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).Default(false);
    PublishControlProperties(b, {"OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
  });
  return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 17); }

void TLabel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TLabel::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  AdjustBounds();
}

void TLabel::SetLayout(TTextLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}

void TLabel::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}

void TLabel::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  AdjustBounds();
  Invalidate();
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::TextChanged() {
  TGraphicControl::TextChanged();
  AdjustBounds();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TLabel::ParentFontChanged() {
  TGraphicControl::ParentFontChanged();
  AdjustBounds();
}

LabelLook TLabel::Look() const {
  LabelLook look;
  look.caption = Caption();
  look.font = &Font();
  look.color = Color();
  look.alignment = alignment_;
  look.layout = layout_;
  look.wordWrap = wordWrap_;
  look.transparent = transparent_;
  look.showAccelChar = showAccelChar_;
  look.enabled = Enabled();
  return look;
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || IsLoading()) return;
  const TSize size = MeasureLabel(Look(), Width());
  int left = Left();
  if (alignment_ == taRightJustify) left += Width() - size.Width;
  SetBounds(left, Top(), size.Width, size.Height);
}

void TLabel::Paint() { PaintLabel(Canvas(), ClientRect(), Look()); }

}  // namespace tintoral
