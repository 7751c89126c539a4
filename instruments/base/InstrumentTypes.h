#pragma once
// The enumeration types of instrument properties. Each is streamed as its
// ordinal; EnumTypeOf gives the property registry its published value names.
#include "runtime/PropertyInfo.h"

namespace tintoral {

enum TiOrientation : int { ioVertical, ioHorizontal };
enum TiOrientationSide : int { iosBottomRight, iosTopLeft };
enum TiBevelStyle : int { ibsNone, ibsRaised, ibsLowered };
enum TiLeadingStyle : int { ilsNone, ilsZeros, ilsSpaces };
enum TiAlignmentHorizontal : int { iahCenter, iahLeft, iahRight };
enum TiTickMinorAlignment : int { itmnaInside, itmnaCenter, itmnaOutside };
enum TiPrecisionStyle : int { ipsSignificantDigits, ipsFixedDecimalPoints };
enum TiAutoScaleStyle : int { iassAutoMinMax, iassFixedMinMax };
// "Rasied" is the published value name and stays as it is.
enum TiSliderTrackStyle : int { istsBox, istsLine, istsBevelLowered, istsBevelRasied };
enum TiSliderPointerStyle : int { ispsLed, ispsPointer, ispsBar, ispsLightBar, ispsBarColor, ispsBitmap };
enum TiSliderMouseControlStyle : int { ismcsSlideOnly, ismcsSlidePage, ismcsGoto };

const TEnumType& EnumTypeOf(TiOrientation);
const TEnumType& EnumTypeOf(TiOrientationSide);
const TEnumType& EnumTypeOf(TiBevelStyle);
const TEnumType& EnumTypeOf(TiLeadingStyle);
const TEnumType& EnumTypeOf(TiAlignmentHorizontal);
const TEnumType& EnumTypeOf(TiTickMinorAlignment);
const TEnumType& EnumTypeOf(TiPrecisionStyle);
const TEnumType& EnumTypeOf(TiAutoScaleStyle);
const TEnumType& EnumTypeOf(TiSliderTrackStyle);
const TEnumType& EnumTypeOf(TiSliderPointerStyle);
const TEnumType& EnumTypeOf(TiSliderMouseControlStyle);

}  // namespace tintoral
