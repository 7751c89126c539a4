#pragma once
// Assignments given on the command line, "Component.Property=Value", applied
// to a form after it has been read. The first name is a component of the form
// (or the form's own name); the rest is a property path through the
// published-property registry (Label1.Font.Color). The value is read as the
// property's kind asks: integers (decimal or $hex, or an identifier of the
// property's integer type such as clRed), floats with ".", enumeration and
// set values ([fsBold,fsItalic]), a single character, a component name for a
// component reference, or the text itself for strings (UTF-8 on the command
// line, Windows-1252 in the form).
#include <string>
#include <string_view>

namespace tintoral {

class TComponent;

struct TPropertyAssignment {
  std::string path;   // "Label1.Font.Color"
  std::string value;  // "clRed"
};

// Raises InvalidOperation for text without "=" or without a property path.
TPropertyAssignment ParsePropertyAssignment(std::string_view text);

// Raises InvalidOperation naming the component, property or value that is
// unknown or does not fit ("Unknown component 'Labl1'", "Unknown property
// 'Label1.Colour'", "Invalid value 'red' for property 'Label1.Color'").
void ApplyPropertyAssignment(TComponent& root, const TPropertyAssignment& assignment);

}  // namespace tintoral
