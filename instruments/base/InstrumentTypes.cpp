// Published value names of the instrument enumerations, in ordinal order.
#include "instruments/base/InstrumentTypes.h"

namespace tintoral {

const TEnumType& EnumTypeOf(TiOrientation) {
  static const TEnumType type("TiOrientation", {"ioVertical", "ioHorizontal"});
  return type;
}

const TEnumType& EnumTypeOf(TiOrientationSide) {
  static const TEnumType type("TiOrientationSide", {"iosBottomRight", "iosTopLeft"});
  return type;
}

const TEnumType& EnumTypeOf(TiBevelStyle) {
  static const TEnumType type("TiBevelStyle", {"ibsNone", "ibsRaised", "ibsLowered"});
  return type;
}

const TEnumType& EnumTypeOf(TiLeadingStyle) {
  static const TEnumType type("TiLeadingStyle", {"ilsNone", "ilsZeros", "ilsSpaces"});
  return type;
}

const TEnumType& EnumTypeOf(TiAlignmentHorizontal) {
  static const TEnumType type("TiAlignmentHorizontal", {"iahCenter", "iahLeft", "iahRight"});
  return type;
}

const TEnumType& EnumTypeOf(TiTickMinorAlignment) {
  static const TEnumType type("TiTickMinorAlignment", {"itmnaInside", "itmnaCenter", "itmnaOutside"});
  return type;
}

const TEnumType& EnumTypeOf(TiPrecisionStyle) {
  static const TEnumType type("TiPrecisionStyle", {"ipsSignificantDigits", "ipsFixedDecimalPoints"});
  return type;
}

const TEnumType& EnumTypeOf(TiAutoScaleStyle) {
  static const TEnumType type("TiAutoScaleStyle", {"iassAutoMinMax", "iassFixedMinMax"});
  return type;
}

const TEnumType& EnumTypeOf(TiSliderTrackStyle) {
  static const TEnumType type("TiSliderTrackStyle", {"istsBox", "istsLine", "istsBevelLowered", "istsBevelRasied"});
  return type;
}

const TEnumType& EnumTypeOf(TiSliderPointerStyle) {
  static const TEnumType type("TiSliderPointerStyle",
                              {"ispsLed", "ispsPointer", "ispsBar", "ispsLightBar", "ispsBarColor", "ispsBitmap"});
  return type;
}

const TEnumType& EnumTypeOf(TiSliderMouseControlStyle) {
  static const TEnumType type("TiSliderMouseControlStyle", {"ismcsSlideOnly", "ismcsSlidePage", "ismcsGoto"});
  return type;
}

}  // namespace tintoral
