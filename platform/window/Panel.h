#pragma once
// TPanel: a container with 3-D bevels, a border and an optional caption.
// The outer bevel, a border of BorderWidth pixels in the panel's colour and
// the inner bevel are drawn from the outside in, each bevel BevelWidth
// rings wide; BorderStyle bsSingle adds a sunken edge around it all.
#include <string>

#include "platform/window/CustomControl.h"
#include "platform/window/Form.h"
#include "platform/window/StandardTypes.h"

namespace tintoral {

class TPanel : public TCustomControl {
  TINTORAL_CLASS(TPanel, TCustomControl)

 public:
  explicit TPanel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);  // at least 1
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);  // at least 0
  // bsNone or bsSingle.
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle value);
  // Stored only: the panel always repaints whole.
  bool FullRepaint() const { return fullRepaint_; }
  void SetFullRepaint(bool value) { fullRepaint_ = value; }

 protected:
  void Paint() override;
  // Inside the bevels and borders a captionless panel is its Color alone.
  bool PaintsOnlyItsColorIn(const TRect& part) const override;
  // Children aligned inside the panel stay clear of its bevels and border.
  void AdjustClientRect(TRect& rect) const override;

 private:
  void Changed();

  TAlignment alignment_ = taCenter;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TFormBorderStyle borderStyle_ = bsNone;
  bool fullRepaint_ = true;
};

}  // namespace tintoral
