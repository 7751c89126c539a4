#pragma once
// The run-time classes of the graphics objects: their published properties,
// the value names of their enumerations, the identifiers of the named
// integer types "TColor" (clRed, clBtnFace, ...) and "TFontCharset", and the
// stream form of a bitmap's pixels (its extra stream property "Data").
//
// Components publish a colour with .TypeName(kColorTypeName), so that form
// streams write it as an identifier when it has one.
#include <cstdint>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"
#include "runtime/PropertyInfo.h"

namespace tintoral {

inline constexpr char kColorTypeName[] = "TColor";
inline constexpr char kFontCharsetTypeName[] = "TFontCharset";

// Value names, found by the property builder for properties of these types.
const TEnumType& EnumTypeOf(TPenStyle);
const TEnumType& EnumTypeOf(TPenMode);
const TEnumType& EnumTypeOf(TBrushStyle);
const TEnumType& EnumTypeOf(TFontStyle);

// Registers the identifiers of TColor and TFontCharset with the runtime.
// Runs when the graphics library is loaded; calling it again does no harm.
void RegisterGraphicsIdents();

// A bitmap's pixels as a stream's byte block: the bytes "TBMP", the width
// and the height (32-bit little-endian each), then every pixel as red,
// green, blue, rows from the top. BitmapFromStreamData raises StreamError
// for data of another form, of sizes beyond 32767 × 32767 or of a length
// that does not match the sizes, and then leaves the bitmap unchanged.
std::vector<std::uint8_t> BitmapToStreamData(const TBitmap& bitmap);
void BitmapFromStreamData(TBitmap& bitmap, const std::vector<std::uint8_t>& data);

}  // namespace tintoral
