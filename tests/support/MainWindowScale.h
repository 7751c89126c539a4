#pragma once
// The main window's slider scale, as a slider sets it up: range 0 to 100
// from row 164 up to row 12, five labelled major ticks with fixed decimals,
// the tick edge at column 21. The scale tests check its pixels; the scale
// benchmark times its paint.
#include "instruments/base/ScaleObject.h"

namespace tintoral::test {

inline constexpr int kMainWindowScaleEdge = 21;

inline void SetUpMainWindowScale(TiScaleObject& scale) {
  scale.SetShowTicksMajor(true);
  scale.SetShowTicksMinor(true);
  scale.SetShowTickLabels(true);
  scale.SetPrecisionStyle(ipsFixedDecimalPoints);
  scale.SetScaleRange(0, 100);
  scale.SetPixelSpan(164, 12);
  scale.SetEdgePixel(kMainWindowScaleEdge);
}

}  // namespace tintoral::test
