#include "tools/formshot/ClassReference.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>
#include <set>
#include <sstream>

#include "instruments/opc/OPCItem.h"
#include "runtime/ClassRegistry.h"
#include "runtime/FormValueText.h"
#include "runtime/IdentMap.h"
#include "runtime/Identifiers.h"
#include "runtime/PropertyInfo.h"

namespace tintoral {
namespace {

// Ordered by name, letters compared without regard to case.
struct ByName {
  bool operator()(const TClassInfo* a, const TClassInfo* b) const {
    return UpperCase(a->Name()) < UpperCase(b->Name());
  }
};
using ClassSet = std::set<const TClassInfo*, ByName>;

// The anchor Markdown viewers give the class's heading.
std::string Anchor(const std::string& className) {
  std::string anchor = "#";
  for (const char c : className) anchor += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return anchor;
}
std::string ClassLink(const std::string& className) { return "[" + className + "](" + Anchor(className) + ")"; }

// What the class adds to its parent's published properties.
std::vector<const TPropertyInfo*> OwnProperties(const TClassInfo& info) {
  const auto& all = info.Properties();
  const std::size_t inherited = info.Parent() ? info.Parent()->Properties().size() : 0;
  return {all.begin() + static_cast<std::ptrdiff_t>(std::min(inherited, all.size())), all.end()};
}

std::vector<const TStreamPropertyInfo*> OwnStreamProperties(const TClassInfo& info) {
  const auto& all = info.StreamProperties();
  const std::size_t inherited = info.Parent() ? info.Parent()->StreamProperties().size() : 0;
  return {all.begin() + static_cast<std::ptrdiff_t>(std::min(inherited, all.size())), all.end()};
}

// The component classes, their ancestors, the classes of their held
// objects, and so on.
ClassSet ClassesToDescribe(const std::vector<const TClassInfo*>& componentClasses) {
  ClassSet found;
  std::vector<const TClassInfo*> pending(componentClasses.begin(), componentClasses.end());
  while (!pending.empty()) {
    const TClassInfo* info = pending.back();
    pending.pop_back();
    if (!info || !found.insert(info).second) continue;
    pending.push_back(info->Parent());
    for (const TPropertyInfo* property : info->Properties())
      if (property->Kind() == tkClass) pending.push_back(property->ObjectClass());
  }
  return found;
}

std::string EnumTypeName(const TPropertyInfo& property, const char* unnamed) {
  const std::string& name = property.EnumType()->Name();
  return name.empty() ? unnamed : name;
}

std::string TypeText(const TPropertyInfo& property) {
  switch (property.Kind()) {
    case tkEnumeration: return EnumTypeName(property, "enumeration");
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
    case tkClass: return ClassLink(property.TypeName());
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

// The value a form file need not write, as a form file spells it.
std::string DefaultText(const TPropertyInfo& property) {
  if (!property.HasSetter()) return "read-only";
  const TTypeKind kind = property.Kind();
  if (IsOrdinalKind(kind))
    return property.OrdinalDefault() ? OrdinalText(property, *property.OrdinalDefault()) : "none: always written";
  if (kind == tkFloat) return StreamFloatText(property.FloatDefault().value_or(0.0L), property.FloatType());
  if (IsStringKind(kind)) return "''";
  if (kind == tkVariant) return "empty";
  return "";
}

std::string ValuesText(const TPropertyInfo& property) {
  if (property.Kind() != tkEnumeration && property.Kind() != tkSet) return "";
  std::string text;
  for (int value = 0; value < property.EnumType()->Count(); ++value)
    text += (value ? ", " : "") + property.EnumType()->NameOf(value);
  return text;
}

std::string ParametersText(const TPropertyInfo& event) {
  std::string text = "Sender";
  for (const std::string& type : event.EventParameters()) text += ", " + type;
  return text;
}

void DescribeProperties(std::ostream& out, const std::vector<const TPropertyInfo*>& properties) {
  bool any = false;
  for (const TPropertyInfo* property : properties) {
    if (property->Kind() == tkMethod) continue;
    if (!any) out << "\n| Property | Type | Default | Values |\n|---|---|---|---|\n";
    any = true;
    out << "| " << property->Name() << " | " << TypeText(*property) << " | " << DefaultText(*property) << " | "
        << ValuesText(*property) << " |\n";
  }
}

void DescribeStreamProperties(std::ostream& out, const std::vector<const TStreamPropertyInfo*>& properties) {
  if (properties.empty()) return;
  out << "\nWritten after the properties when they hold something:\n\n";
  for (const TStreamPropertyInfo* property : properties)
    out << "- " << property->Name() << (property->IsBinary() ? ": binary data `{ ... }`\n" : ": its own value form\n");
}

void DescribeEvents(std::ostream& out, const std::vector<const TPropertyInfo*>& properties) {
  bool any = false;
  for (const TPropertyInfo* property : properties) {
    if (property->Kind() != tkMethod) continue;
    if (!any) out << "\n| Event | Parameters |\n|---|---|\n";
    any = true;
    out << "| " << property->Name() << " | " << ParametersText(*property) << " |\n";
  }
}

void DescribeClass(std::ostream& out, const TClassInfo& info, bool canBeNamed) {
  out << "\n### " << info.Name() << "\n\n";
  out << (info.Parent() ? "Parent: " + ClassLink(info.Parent()->Name()) + "." : std::string("No parent."));
  if (canBeNamed) out << " A form file may name it: `object Name: " << info.Name() << "`.";
  out << "\n";
  const std::vector<const TPropertyInfo*> own = OwnProperties(info);
  DescribeProperties(out, own);
  DescribeStreamProperties(out, OwnStreamProperties(info));
  DescribeEvents(out, own);
}

}  // namespace

std::string ClassReferenceMarkdown(const std::vector<const TClassInfo*>& componentClasses,
                                   const std::vector<const TClassInfo*>& otherClasses) {
  const ClassSet named(componentClasses.begin(), componentClasses.end());
  std::vector<const TClassInfo*> classes = componentClasses;
  classes.insert(classes.end(), otherClasses.begin(), otherClasses.end());
  const ClassSet all = ClassesToDescribe(classes);
  std::ostringstream out;
  out << "## Classes\n\nEach class lists what it adds to its parent; a class has every property and event of its "
         "ancestors too.\n\n| Class | Parent | Named in forms |\n|---|---|---|\n";
  for (const TClassInfo* info : all)
    out << "| " << ClassLink(info->Name()) << " | " << (info->Parent() ? info->Parent()->Name() : "") << " | "
        << (named.count(info) ? "yes" : "") << " |\n";
  for (const TClassInfo* info : all) DescribeClass(out, *info, named.count(info) != 0);
  return out.str();
}

std::string RegisteredClassReferenceMarkdown() {
  return ClassReferenceMarkdown(RegisteredComponentClasses(), {&TiOPCItem::StaticClass()});
}

}  // namespace tintoral
