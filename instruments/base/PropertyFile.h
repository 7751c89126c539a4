#pragma once
// Property files: an object's published properties as text lines
// "Name = value", sub-objects under dotted names ("Font.Color = -16777208"),
// after a first line "File Type = <class name>". The file is Windows-1252
// bytes with CR LF line ends. Ordinals are written as the decimal ordinal
// (colours as signed 32-bit values, Booleans 0/1, sets as bit masks), floats
// as FloatToText, or with as many digits as it takes to read the same value
// back; strings as they are; events, variants, 64-bit integers and
// properties that are not stored or cannot be set are left out.
//
// Every error of the general exception kind is raised again as Exception
// "Error Saving Properties - <message>" or "Error Loading Properties -
// <message>".
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/PropertyInfo.h"

namespace tintoral {

class TPersistent;

// A line's name (the text before the first "=") and value (the text after
// it), each without surrounding blanks and control characters. A line
// without "=" has an empty name and value.
struct TPropertyLine {
  std::string name;
  std::string value;
};
TPropertyLine SplitPropertyLine(std::string_view line);

// The lines of the object's property file, the "File Type = " line first,
// each cut to 255 characters. Without saveAllProperties the common control
// properties (Left, Top, Width, Height, Align, Cursor, ShowHint, Tag, Visible,
// Enabled, Hint, HelpContext) are left out; "Name" always is. An excluded
// sub-object is left out with all its properties.
std::vector<std::string> PropertyFileLines(const TPersistent& object, bool saveAllProperties);
// Writes those lines to the file, replacing it.
void SavePropertiesToFile(const TPersistent& object, const std::string& fileName, bool saveAllProperties);

// What loading calls around applying the values: the object's update
// bracket. The end runs whenever the begin ran, also when applying fails.
struct TPropertyUpdateHooks {
  std::function<void()> beginUpdate;
  std::function<void()> endUpdate;
};

// Applies a property file's contents (lines ended by CR LF, CR or LF) to
// the object: each stored, settable property takes the value of the first
// line whose name equals its full name (case ignored); that line is then
// used up, so later duplicates are ignored. Unmatched lines and properties
// are left alone. Properties whose setters depend on others set later
// (Position within its range, Width and Height swapped by Orientation) are
// applied again until they hold their line's value, so every saved value
// comes back whatever the line order. Floats are read with either decimal
// separator, "INF", "-INF" and "NAN" as written. An ordinal outside its
// property's range, or a float outside its property's type, is an error.
// Values applied before a failing one stay applied.
void LoadPropertiesFromText(TPersistent& object, std::string_view contents, const TPropertyUpdateHooks& hooks = {});
// The same with the contents of a file; a file that cannot be read is an
// error.
void LoadPropertiesFromFile(TPersistent& object, const std::string& fileName, const TPropertyUpdateHooks& hooks = {});

// Sets one property from a property file's value text, as loading does:
// ordinals as integers within the property's range, floats with either
// decimal separator within their type's range, strings as they are; other
// kinds are left alone. Raises ConvertError for a text that does not fit.
void SetPropertyFromText(TPersistent& object, const TPropertyInfo& property, const std::string& fullName,
                         const std::string& value);

// The kind of the first published property with a setter whose full dotted
// name equals fullName (case ignored), searching held objects under their
// full names in saving order; tkUnknown (0) when there is none.
TTypeKind GetPropertyKind(const TPersistent& object, std::string_view fullName);

}  // namespace tintoral
