#include "platform/window/StandardTypes.h"

namespace tintoral {

const TEnumType& EnumTypeOf(TAlignment) {
  static const TEnumType type("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
  return type;
}

const TEnumType& EnumTypeOf(TTextLayout) {
  static const TEnumType type("TTextLayout", {"tlTop", "tlCenter", "tlBottom"});
  return type;
}

const TEnumType& EnumTypeOf(TBevelCut) {
  static const TEnumType type("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
  return type;
}

const TEnumType& EnumTypeOf(TBevelShape) {
  static const TEnumType type(
      "TBevelShape", {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"});
  return type;
}

const TEnumType& EnumTypeOf(TBevelStyle) {
  static const TEnumType type("TBevelStyle", {"bsLowered", "bsRaised"});
  return type;
}

const TEnumType& EnumTypeOf(TButtonLayout) {
  static const TEnumType type("TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
  return type;
}

}  // namespace tintoral
