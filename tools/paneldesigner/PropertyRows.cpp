#include "tools/paneldesigner/PropertyRows.h"

#include "runtime/Component.h"
#include "runtime/FormValueText.h"
#include "runtime/FormWriter.h"
#include "runtime/IdentMap.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

// Deepest nesting of held objects listed; deeper means an object holds itself.
constexpr int kMaxDepth = 16;

std::string OrdinalText(const TObject& object, const TPropertyInfo& property) {
  const std::int64_t value = property.GetOrdinal(object);
  switch (property.Kind()) {
    case tkEnumeration: return property.EnumType()->NameOf(value);
    case tkSet: {
      std::string text = "[";
      for (int element = 0; element < property.EnumType()->Count(); ++element) {
        if ((value >> element & 1) == 0) continue;
        if (text.size() > 1) text += ",";
        text += property.EnumType()->NameOf(element);
      }
      return text + "]";
    }
    case tkChar: return Windows1252ToUtf8(std::string(1, static_cast<char>(value)));
    default: {
      std::string ident;
      if (IntegerToIdent(property.TypeName(), static_cast<std::int32_t>(value), ident)) return ident;
      return std::to_string(value);
    }
  }
}

bool IsComponentReference(const TPropertyInfo& property) {
  return property.ObjectClass() && property.ObjectClass()->InheritsFrom(TComponent::StaticClass());
}

TPropertyRow::TEditor EditorOf(const TPropertyInfo& property) {
  switch (property.Kind()) {
    case tkEnumeration: return TPropertyRow::TEditor::Choice;
    case tkSet: return TPropertyRow::TEditor::Set;
    case tkMethod: return TPropertyRow::TEditor::Event;
    case tkClass:
      if (IsComponentReference(property)) return TPropertyRow::TEditor::Reference;
      return property.TypeName() == "TFont" ? TPropertyRow::TEditor::Font : TPropertyRow::TEditor::Object;
    default: return property.TypeName() == "TColor" ? TPropertyRow::TEditor::Color : TPropertyRow::TEditor::Text;
  }
}

void AddRows(const TPersistent& object, const std::string& prefix, int depth, std::vector<TPropertyRow>& rows) {
  if (depth > kMaxDepth) return;
  for (const TPropertyInfo* property : object.ClassType().Properties()) {
    if (!property->HasGetter()) continue;
    TPropertyRow row;
    row.path = prefix + property->Name();
    row.name = property->Name();
    row.depth = depth;
    row.kind = property->Kind();
    row.typeName = property->TypeName();
    row.editor = EditorOf(*property);
    row.value = PropertyValueText(object, *property);
    row.readOnly = !property->HasSetter() || row.editor == TPropertyRow::TEditor::Event;
    if (row.editor == TPropertyRow::TEditor::Event) row.isDefault = row.value.empty();
    else if (row.kind != tkClass) row.isDefault = IsDefaultPropertyValue(object, *property);
    if (const TEnumType* type = property->EnumType())
      for (int i = 0; i < type->Count(); ++i) row.choices.push_back(type->NameOf(i));
    const TPersistent* held =
        row.kind == tkClass && !IsComponentReference(*property) ? property->GetObject(object) : nullptr;
    if (held) row.readOnly = false;  // its properties are edited below it
    rows.push_back(std::move(row));
    if (held) AddRows(*held, prefix + property->Name() + ".", depth + 1, rows);
  }
}

}  // namespace

std::string PropertyValueText(const TObject& object, const TPropertyInfo& property) {
  const TTypeKind kind = property.Kind();
  if (IsOrdinalKind(kind)) return OrdinalText(object, property);
  if (kind == tkFloat) return StreamFloatText(property.GetFloat(object), property.FloatType());
  if (IsStringKind(kind)) return Windows1252ToUtf8(property.GetString(object));
  if (kind == tkVariant) return Windows1252ToUtf8(property.GetVariant(object).ToString());
  if (kind == tkMethod) return property.GetMethodName(object);
  if (kind == tkClass) {
    const TPersistent* held = property.GetObject(object);
    if (!held) return "";
    if (const auto* component = dynamic_cast<const TComponent*>(held)) return component->Name();
    return "(" + held->ClassType().Name() + ")";
  }
  return "";
}

std::vector<TPropertyRow> PropertyRowsOf(const TPersistent& object) {
  std::vector<TPropertyRow> rows;
  AddRows(object, "", 0, rows);
  return rows;
}

}  // namespace tintoral
