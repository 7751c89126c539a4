#pragma once
// Enumerations of the standard controls (panel, bevel, label, speed button),
// with their classic value names for form streams.
#include "runtime/PropertyInfo.h"

namespace tintoral {

// Horizontal placement of a caption.
enum TAlignment : int { taLeftJustify, taRightJustify, taCenter };
// Vertical placement of a label's text.
enum TTextLayout : int { tlTop, tlCenter, tlBottom };
// A panel's bevel rings.
enum TBevelCut : int { bvNone, bvLowered, bvRaised, bvSpace };
// A bevel control's lines.
enum TBevelShape : int { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle : int { bsLowered, bsRaised };
// Where a speed button's glyph sits next to its caption.
enum TButtonLayout : int { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// The look a speed button is drawn in; also the index of its glyph image.
enum TButtonState : int { bsUp, bsDisabled, bsDown, bsExclusive };

const TEnumType& EnumTypeOf(TAlignment);
const TEnumType& EnumTypeOf(TTextLayout);
const TEnumType& EnumTypeOf(TBevelCut);
const TEnumType& EnumTypeOf(TBevelShape);
const TEnumType& EnumTypeOf(TBevelStyle);
const TEnumType& EnumTypeOf(TButtonLayout);

}  // namespace tintoral
