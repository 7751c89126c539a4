#pragma once
// The canvas pen: colour, style, width and mix mode.
#include <functional>

#include "platform/graphics/Color.h"
#include "runtime/Persistent.h"

namespace tintoral {

enum TPenStyle : int { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// The sixteen bitwise raster operations between pen (P) and screen (S).
enum TPenMode : int {
  pmBlack,        // 0
  pmWhite,        // 1
  pmNop,          // S
  pmNot,          // ~S
  pmCopy,         // P
  pmNotCopy,      // ~P
  pmMergePenNot,  // P | ~S
  pmMaskPenNot,   // P & ~S
  pmMergeNotPen,  // ~P | S
  pmMaskNotPen,   // ~P & S
  pmMerge,        // P | S
  pmNotMerge,     // ~(P | S)
  pmMask,         // P & S
  pmNotMask,      // ~(P & S)
  pmXor,          // P ^ S
  pmNotXor,       // ~(P ^ S)
};

class TPen : public TPersistent {
  TINTORAL_CLASS(TPen, TPersistent)

 public:
  TPen() = default;

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle value);
  int Width() const { return width_; }
  void SetWidth(int value);  // values below 1 are taken as 1
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode value);

  void Assign(const TPersistent& source) override;
  // Called after every change of a property.
  void SetOnChange(std::function<void()> handler) { onChange_ = std::move(handler); }

 private:
  void Changed();

  TColor color_ = clBlack;
  TPenStyle style_ = psSolid;
  int width_ = 1;
  TPenMode mode_ = pmCopy;
  std::function<void()> onChange_;
};

}  // namespace tintoral
