#pragma once
// TLabel: a caption drawn on its parent. With AutoSize (the default) the
// label takes the size of its text in its font whenever the text, the font
// or the wrapping change, and once after loading; never while it is being
// loaded. A right-justified label keeps its right edge when it resizes.
#include "platform/window/GraphicControl.h"
#include "platform/window/StandardTypes.h"

namespace tintoral {

struct LabelLook;

class TLabel : public TGraphicControl {
  TINTORAL_CLASS(TLabel, TGraphicControl)

 public:
  explicit TLabel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  // False: the label fills its area with Color before drawing the text.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  // "&x" underlines x and "&&" shows "&".
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);

  void Loaded() override;

 protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  void ParentFontChanged() override;

 private:
  LabelLook Look() const;
  void AdjustBounds();

  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  TTextLayout layout_ = tlTop;
  bool wordWrap_ = false;
  bool transparent_ = false;
  bool showAccelChar_ = true;
};

}  // namespace tintoral
