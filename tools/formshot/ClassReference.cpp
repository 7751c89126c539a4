#include "tools/formshot/ClassReference.h"

#include <cctype>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <sstream>

#include "instruments/opc/OPCItem.h"
#include "runtime/ClassRegistry.h"
#include "runtime/Component.h"
#include "runtime/Exception.h"
#include "runtime/FormValueText.h"
#include "runtime/IdentMap.h"
#include "runtime/Identifiers.h"
#include "runtime/PropertyInfo.h"

namespace tintoral {
namespace {

// One object of each described class, ordered by class name (case ignored),
// and for a held object where it was found ("TiSlider.TickLabelFont").
struct Sample {
  const TPersistent* object;
  std::string heldAs;
};
using Samples = std::map<std::string, Sample>;

// The anchor Markdown viewers give a class's heading.
std::string ClassLink(const std::string& className) {
  std::string anchor;
  for (const char c : className) anchor += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return "[" + className + "](#" + anchor + ")";
}

bool IsComponentClass(const TClassInfo& info) { return info.InheritsFrom(TComponent::StaticClass()); }

// The objects and, recursively, the objects they hold (a component held by
// a property is a reference to another component, not a held object).
void CollectSamples(const TPersistent& object, const std::string& heldAs, Samples& samples) {
  if (!samples.emplace(UpperCase(object.ClassName()), Sample{&object, heldAs}).second) return;
  const std::string path = heldAs.empty() ? object.ClassName() : heldAs;
  for (const TPropertyInfo* property : object.ClassType().Properties()) {
    if (property->Kind() != tkClass || !property->ObjectClass() || IsComponentClass(*property->ObjectClass())) continue;
    if (const TPersistent* held = property->GetObject(object))
      CollectSamples(*held, path + "." + property->Name(), samples);
  }
}

std::string TypeText(const TPropertyInfo& property) {
  switch (property.Kind()) {
    case tkEnumeration: return property.EnumType()->Name().empty() ? "enumeration" : property.EnumType()->Name();
    case tkSet: return property.EnumType()->Name().empty() ? "set" : "set of " + property.EnumType()->Name();
    case tkChar: return "Char";
    case tkWChar: return "WideChar";
    case tkInt64: return "Int64";
    case tkFloat:
      return property.FloatType() == ftSingle ? "Single" : property.FloatType() == ftDouble ? "Double" : "Extended";
    case tkString: return "ShortString";
    case tkLString: return "string";
    case tkWString: return "WideString";
    case tkVariant: return "Variant";
    case tkClass:
      return IsComponentClass(*property.ObjectClass()) ? property.TypeName() + " (a component's name)"
                                                       : ClassLink(property.TypeName());
    default: return property.TypeName();
  }
}

std::string SetText(const TEnumType& elements, std::int64_t bits) {
  std::string text = "[";
  for (int element = 0; element < elements.Count(); ++element) {
    if ((bits >> element & 1) == 0) continue;
    if (text.size() > 1) text += ", ";
    text += elements.NameOf(element);
  }
  return text + "]";
}

// An ordinal as a form file spells it.
std::string OrdinalText(const TPropertyInfo& property, std::int64_t value) {
  switch (property.Kind()) {
    case tkEnumeration: return property.EnumType()->NameOf(value);
    case tkSet: return SetText(*property.EnumType(), value);
    case tkChar: return StreamStringLiteral(std::string(1, static_cast<char>(value)));
    default: {
      std::string ident;
      const bool fits =
          value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max();
      if (fits && IntegerToIdent(property.TypeName(), static_cast<std::int32_t>(value), ident)) return ident;
      return std::to_string(value);
    }
  }
}

std::string ComponentText(const TPersistent* held) {
  const auto* component = dynamic_cast<const TComponent*>(held);
  return component ? component->Name() : "nil";
}

// The property's value in the object, as a form file spells it.
std::string ValueText(const TPropertyInfo& property, const TPersistent& object) {
  const TTypeKind kind = property.Kind();
  if (IsOrdinalKind(kind)) return OrdinalText(property, property.GetOrdinal(object));
  if (kind == tkFloat) return StreamFloatText(property.GetFloat(object), property.FloatType());
  if (IsStringKind(kind)) return StreamStringLiteral(property.GetString(object));
  if (kind == tkVariant) {
    const TVariant value = property.GetVariant(object);
    return value.IsEmpty() ? "empty" : StreamStringLiteral(value.ToString());
  }
  if (kind == tkClass && IsComponentClass(*property.ObjectClass())) return ComponentText(property.GetObject(object));
  return "";
}

std::string DefaultText(const TPropertyInfo& property, const TPersistent& object) {
  std::string text;
  try {
    text = ValueText(property, object);
  } catch (const Exception&) {
    // A value the new object cannot give stays blank.
  }
  return property.HasSetter() ? text : text + " (read-only)";
}

std::string ValuesText(const TPropertyInfo& property) {
  if (property.Kind() != tkEnumeration && property.Kind() != tkSet) return "";
  std::string text;
  for (int value = 0; value < property.EnumType()->Count(); ++value)
    text += (value ? ", " : "") + property.EnumType()->NameOf(value);
  return text;
}

void DescribeProperties(std::ostream& out, const TPersistent& object) {
  bool any = false;
  for (const TPropertyInfo* property : object.ClassType().Properties()) {
    if (property->Kind() == tkMethod) continue;
    if (!any) out << "\n| Property | Type | Default | Values |\n|---|---|---|---|\n";
    any = true;
    out << "| " << property->Name() << " | " << TypeText(*property) << " | " << DefaultText(*property, object) << " | "
        << ValuesText(*property) << " |\n";
  }
}

void DescribeStreamProperties(std::ostream& out, const TClassInfo& info) {
  if (info.StreamProperties().empty()) return;
  out << "\nWritten after the properties when they hold something:\n\n";
  for (const TStreamPropertyInfo* property : info.StreamProperties())
    out << "- " << property->Name() << (property->IsBinary() ? ": binary data `{ ... }`\n" : ": its own value form\n");
}

void DescribeEvents(std::ostream& out, const TClassInfo& info) {
  bool any = false;
  for (const TPropertyInfo* property : info.Properties()) {
    if (property->Kind() != tkMethod) continue;
    if (!any) out << "\n| Event | Parameters |\n|---|---|\n";
    any = true;
    out << "| " << property->Name() << " | Sender";
    for (const std::string& type : property->EventParameters()) out << ", " << type;
    out << " |\n";
  }
}

bool IsRegistered(const TClassInfo& info) { return FindComponentClass(info.Name()) == &info; }

std::string ParentText(const TClassInfo& info) { return info.Parent() ? info.Parent()->Name() : ""; }

void DescribeClass(std::ostream& out, const Sample& sample) {
  const TPersistent& object = *sample.object;
  const TClassInfo& info = object.ClassType();
  out << "\n### " << info.Name() << "\n\n";
  out << (info.Parent() ? "Parent: " + info.Parent()->Name() + "." : std::string("No parent."));
  if (IsRegistered(info)) out << " A form file may name it: `object Name: " << info.Name() << "`.";
  if (!sample.heldAs.empty()) out << " Defaults as in " << sample.heldAs << ".";
  out << "\n";
  DescribeProperties(out, object);
  DescribeStreamProperties(out, info);
  DescribeEvents(out, info);
}

}  // namespace

std::string ClassReferenceMarkdown(const std::vector<const TPersistent*>& newObjects) {
  Samples samples;
  for (const TPersistent* object : newObjects) CollectSamples(*object, "", samples);
  std::ostringstream out;
  out << "## Classes\n\n| Class | Parent | Named in forms |\n|---|---|---|\n";
  for (const auto& [name, sample] : samples) {
    const TClassInfo& info = sample.object->ClassType();
    out << "| " << ClassLink(info.Name()) << " | " << ParentText(info) << " | " << (IsRegistered(info) ? "yes" : "")
        << " |\n";
  }
  for (const auto& [name, sample] : samples) DescribeClass(out, sample);
  return out.str();
}

std::string RegisteredClassReferenceMarkdown() {
  std::vector<std::unique_ptr<TComponent>> components;
  std::vector<const TPersistent*> objects;
  for (const TClassInfo* info : RegisteredComponentClasses()) {
    components.emplace_back(CreateComponent(info->Name(), nullptr));
    objects.push_back(components.back().get());
  }
  const TiOPCItem item;
  objects.push_back(&item);
  return ClassReferenceMarkdown(objects);
}

}  // namespace tintoral
