#pragma once
// The canvas brush: colour and style.
#include <functional>

#include "platform/graphics/Color.h"
#include "runtime/Persistent.h"

namespace tintoral {

enum TBrushStyle : int { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TPersistent {
  TINTORAL_CLASS(TBrush, TPersistent)

 public:
  TBrush() = default;

  TColor Color() const { return color_; }
  void SetColor(TColor value);  // a solid colour makes a clear brush solid again
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle value);

  void Assign(const TPersistent& source) override;
  void SetOnChange(std::function<void()> handler) { onChange_ = std::move(handler); }

 private:
  void Changed();

  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  std::function<void()> onChange_;
};

}  // namespace tintoral
