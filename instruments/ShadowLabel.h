#pragma once
// TiLabel: one line of text with an optional drop shadow, inner margins, a
// border of its own and an accelerator for a companion control. With a
// FocusControl, "&x" in the caption underlines x and Alt+x moves the focus
// to that control; without one the caption is drawn literally.
//
// (Named ShadowLabel.h so that it does not share a file name with the
// window layer's TLabel.)
#include <cstdint>
#include <memory>
#include <string>

#include "instruments/base/InstrumentComponent.h"
#include "platform/graphics/Font.h"
#include "runtime/Event.h"
#include "runtime/PropertyInfo.h"

namespace tintoral {

class TWinControl;

enum TiLabelBorderStyle : int { ilbsNone, ilbsSingle, ilbsLowered, ilbsRaised };
const TEnumType& EnumTypeOf(TiLabelBorderStyle);

// The accelerator character of a caption: the character after the first
// "&" that does not stand for a literal "&" ("&&"); 0 when there is none.
char AcceleratorOf(const std::string& caption);

class TiLabel : public TiCustomComponent {
  TINTORAL_CLASS(TiLabel, TiCustomComponent)

 public:
  explicit TiLabel(TComponent* owner);
  ~TiLabel() override;

  // ---- Published ----------------------------------------------------------
  // The label's own caption and font (not the control's).
  const std::string& Caption() const { return caption_; }
  // Asks the edit-permission hook ("Caption") first.
  void SetCaption(const std::string& value);
  TiAlignmentHorizontal Alignment() const { return alignment_; }
  void SetAlignment(TiAlignmentHorizontal value) { SetPropertyField(value, alignment_, irkRepaint); }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value) { SetResizing(value, autoSize_); }
  TiLabelBorderStyle BorderStyle() const { return borderStyle_; }
  // The label's border style is a type of its own and deliberately hides the
  // instrument base's bevel style.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Woverloaded-virtual"
  void SetBorderStyle(TiLabelBorderStyle value) { SetResizing(value, borderStyle_); }
#pragma GCC diagnostic pop
  TFont& Font() { return *font_; }
  const TFont& Font() const { return *font_; }
  // Copies the font; its change notice resizes and repaints.
  void SetFont(const TFont& value) { font_->Assign(value); }
  int OuterMarginLeft() const { return outerMarginLeft_; }
  void SetOuterMarginLeft(int value) { SetResizing(value, outerMarginLeft_); }
  int OuterMarginTop() const { return outerMarginTop_; }
  void SetOuterMarginTop(int value) { SetResizing(value, outerMarginTop_); }
  int OuterMarginRight() const { return outerMarginRight_; }
  void SetOuterMarginRight(int value) { SetResizing(value, outerMarginRight_); }
  int OuterMarginBottom() const { return outerMarginBottom_; }
  void SetOuterMarginBottom(int value) { SetResizing(value, outerMarginBottom_); }
  bool ShadowShow() const { return shadowShow_; }
  void SetShadowShow(bool value) { SetResizing(value, shadowShow_); }
  int ShadowXOffset() const { return shadowXOffset_; }
  void SetShadowXOffset(int value) { SetResizing(value, shadowXOffset_); }
  int ShadowYOffset() const { return shadowYOffset_; }
  void SetShadowYOffset(int value) { SetResizing(value, shadowYOffset_); }
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor value) { SetPropertyField(value, shadowColor_, irkRepaint); }
  // A weak reference: cleared when that control is destroyed.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* value);

  // Fired after each automatic resize (not published).
  const TNotifyEvent& OnAutoSize() const { return onAutoSize_; }
  void SetOnAutoSize(TNotifyEvent handler) { onAutoSize_ = std::move(handler); }

  // 0 for ilbsNone, 1 for ilbsSingle, 2 for the 3-D borders.
  int BorderWidth() const;
  // Inside the border and the margins; may be empty or inverted.
  TRect TextRect() const;
  // Single line, vertically centred, the alignment's horizontal flag, and
  // the prefix flag with a FocusControl.
  std::uint16_t TextFlags() const;

  // The size that holds the caption in the font plus border, margins and
  // shadow.
  TSize AutoSizeExtent();
  // Sizes the control to AutoSizeExtent; nothing while loading, while
  // AutoSize is off, or when re-entered.
  void ApplyAutoSize();

  void PaintTo(TCanvas& canvas) override;
  bool PaintToStartsWithBackground() const override { return true; }
  // Alt + the caption's accelerator moves the focus to FocusControl.
  bool DialogKey(std::uint16_t key, TShiftState shift) override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // Stores a changed value, then auto-sizes and repaints.
  template <class V>
  void SetResizing(V value, V& field) {
    if (!SetPropertyField(value, field, irkStoreOnly)) return;
    ApplyAutoSize();
    RequestRepaint();
  }
  // The label's own font changed. The control's inherited font, which a
  // form copies from the parent when loading ends, is not the one it draws
  // with and leaves the size alone.
  void LabelFontChanged();
  void DrawCaption(TCanvas& canvas, const TRect& rect, TColor color) const;
  void DrawLabelBorder(TCanvas& canvas) const;

  TiAlignmentHorizontal alignment_ = iahLeft;
  std::unique_ptr<TFont> font_;
  std::string caption_ = "iLabel";
  bool autoSize_ = true;
  TNotifyEvent onAutoSize_;
  bool resizing_ = false;
  int outerMarginTop_ = 0;
  int outerMarginLeft_ = 0;
  int outerMarginRight_ = 0;
  int outerMarginBottom_ = 0;
  TiLabelBorderStyle borderStyle_ = ilbsNone;
  bool shadowShow_ = false;
  int shadowXOffset_ = 1;
  int shadowYOffset_ = 1;
  TColor shadowColor_ = clGray;
  TWinControl* focusControl_ = nullptr;
};

}  // namespace tintoral
