#pragma once
// What the property inspector lists for a component: every published
// property in the registry's order, held objects (a font, a scale) expanded
// under their own row, each with its value as text and what the inspector
// needs to edit it.
#include <string>
#include <vector>

#include "runtime/PropertyInfo.h"

namespace tintoral {

struct TPropertyRow {
  enum class TEditor { Text, Choice, Set, Color, Font, Object, Reference, Event };

  std::string path;  // "Font.Color": as TDesignDocument::SetProperty takes it
  std::string name;  // "Color"
  int depth = 0;     // 1 under a held object, and so on
  TTypeKind kind = tkUnknown;
  std::string typeName;
  TEditor editor = TEditor::Text;
  // UTF-8; floats with "."; sets as "[a,b]"; a held object's class name in
  // parentheses; an event's handler name.
  std::string value;
  std::vector<std::string> choices;  // enumeration values, set elements
  bool isDefault = true;             // the writer leaves it out
  bool readOnly = false;
};

std::vector<TPropertyRow> PropertyRowsOf(const TPersistent& object);

// A property's value as the inspector shows it (see TPropertyRow::value).
std::string PropertyValueText(const TObject& object, const TPropertyInfo& property);

}  // namespace tintoral
