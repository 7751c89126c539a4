#include "instruments/opc/ItemCheck.h"

#include "instruments/opc/OPCItem.h"
#include "runtime/ClassInfo.h"
#include "runtime/PropertyInfo.h"

namespace tintoral {
namespace {

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// Whether the name is known: by its kind code, or for a dotted name with
// none, by the held object its first part names.
bool NamesAProperty(const TiOPCItem& item, const TClassInfo& ownerClass) {
  if (item.PropertyKind() != tkUnknown) return true;
  const std::string& name = item.PropertyName();
  const std::size_t dot = name.find('.');
  if (dot == std::string::npos) return false;
  const TPropertyInfo* held = ownerClass.FindProperty(name.substr(0, dot));
  return held && held->Kind() == tkClass;
}

}  // namespace

std::string ItemSettingsMistake(const TiOPCItem& item, const TClassInfo& ownerClass) {
  const std::string& property = item.PropertyName();
  if (IsBlank(property)) return "the item names no property (PropertyName is blank)";
  if (!NamesAProperty(item, ownerClass))
    return "PropertyName '" + property + "' names no published property of " + ownerClass.Name() +
           " (a property of a held object is named with a dot, as in 'Font.Size')";
  if (item.PropertyKind() == tkMethod)
    return "PropertyName '" + property + "' is an event of " + ownerClass.Name() +
           "; events cannot be bound to items, only properties that hold a value";
  if (IsBlank(item.ServerName()) && IsBlank(item.GroupName()))
    return "the item names no server: give ServerName, or GroupName for the link library's default server";
  if (IsBlank(item.ItemName())) return "the item names no item on its server (ItemName is blank)";
  if (item.UpdateRate() < 0) return "UpdateRate " + std::to_string(item.UpdateRate()) + " is negative";
  return "";
}

}  // namespace tintoral
